// The pieces of ink in a mask: each 8-connected piece with its holes, how
// much ink it holds, how wide its strokes are and how it meets the picture's
// frame; and the cleaning that works on whole pieces.
#pragma once

#include <QRect>
#include <cstdint>
#include <vector>

#include "trace/mask.h"

namespace lp {

struct MaskPiece {
    int64_t ink = 0;    // pixels of ink
    int64_t holes = 0;  // pixels of ground it encloses
    int64_t edges = 0;  // sides between its ink and ground, its holes' included
    int64_t frame = 0;  // its pixels on the mask's outermost ring
    QRect bounds;
    int inHole = -1;  // the hole it lies in, if any
    int first = 0;    // its first pixel in row order
    bool kept = true;
    bool thin = false;  // drawn along the middle of its strokes

    int64_t filled() const { return ink + holes; }
    // About the mean width of its strokes: twice the ink over the outline's length.
    double strokeWidth() const { return edges > 0 ? 2.0 * double(ink) / (0.9 * double(edges)) : 0; }
};

struct MaskHole {
    int piece = -1;  // the piece around it
    int64_t size = 0;
    int64_t edges = 0;  // sides between it and its piece
    int first = 0;      // its first pixel in row order
    bool filled = false;
};

class MaskPieces {
  public:
    explicit MaskPieces(const InkMask& mask);

    std::vector<MaskPiece> pieces;
    std::vector<MaskHole> holes;

    // Pieces that cover a share of the frame's pixels at least `share` are
    // the picture's ground, not ink.
    void dropGround(double share);
    // Pieces of fewer filled pixels than `minPiece` are dropped; holes
    // smaller than `minHole` and than `share` of their piece's filled area
    // are filled, with whatever lies in them.
    void clean(double minPiece, double minHole, double share);
    // The bounds of the pieces kept; empty when none is.
    QRect keptBounds() const;
    // The mask of the kept pieces whose `thin` is `thin`, filled holes filled.
    InkMask maskOf(bool thin) const;

  private:
    const InkMask& mask_;
    std::vector<int> label_;  // >= 0: a piece; <= -2: hole -2 - index; -1: open ground
};

}  // namespace lp
