// The pieces of ink in a mask: each 8-connected piece with its holes, how
// much ink it holds, how wide its strokes are and how it meets the picture's
// frame; and the cleaning that works on whole pieces.
#pragma once

#include <QRect>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "trace/ink/mask.h"

namespace lp {

struct MaskPiece {
    int64_t ink = 0;    // pixels of ink
    int64_t holes = 0;  // pixels of ground it encloses
    int64_t edges = 0;  // sides between its ink and ground, its holes' included
    int64_t frame = 0;  // its pixels on the mask's outermost ring
    QRect bounds;
    int64_t deep = 0;  // pixels deeper inside than its strokes may be wide
    int inHole = -1;   // the hole it lies in, if any
    int first = 0;     // its first pixel in row order
    bool kept = true;
    bool thin = false;  // drawn along the middle of its strokes

    int64_t filled() const { return ink + holes; }
    // About the mean width of its strokes: twice the ink over the outline's length.
    double strokeWidth() const { return edges > 0 ? 2.0 * double(ink) / (0.9 * double(edges)) : 0; }
    int side() const { return std::max(bounds.width(), bounds.height()); }
};

struct MaskHole {
    int piece = -1;  // the piece around it
    int64_t size = 0;
    int64_t edges = 0;  // sides between it and its piece
    int first = 0;      // its first pixel in row order
    bool filled = false;
};

struct MaskRun {  // pixels begin..end-1 of row y
    int begin = 0, end = 0, y = 0;
    bool ink = false;
    int region = -1;  // its piece, or its hole (-1: open ground)
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
    // Marks as thin the kept pieces of which less than `deepShare` of the ink
    // lies deeper inside than half of `maxWidth(piece)` pixels.
    template <typename MaxWidth>
    void markThin(MaxWidth maxWidth, double deepShare) {
        const std::vector<uint16_t> depth = Depths();
        for (MaskPiece& piece : pieces) piece.deep = 0;
        std::vector<double> limit(pieces.size());
        for (size_t p = 0; p < pieces.size(); ++p)
            limit[p] = 3 * maxWidth(pieces[p]) / 2;  // depths are thirds
        for (const MaskRun& run : runs_) {
            if (!run.ink) continue;
            const uint16_t* d = depth.data() + size_t(run.y) * size_t(mask_.width);
            MaskPiece& piece = pieces[size_t(run.region)];
            for (int x = run.begin; x < run.end; ++x) piece.deep += d[x] > limit[size_t(run.region)];
        }
        for (MaskPiece& piece : pieces)
            piece.thin = piece.kept && double(piece.deep) < deepShare * double(piece.ink);
    }
    // The bounds of the pieces kept; empty when none is.
    QRect keptBounds() const;
    // The mask of the kept pieces whose `thin` is `thin`, filled holes filled.
    InkMask maskOf(bool thin) const;

  private:
    // Each pixel's distance from the ground in thirds of a pixel (the 3-4 chamfer).
    std::vector<uint16_t> Depths() const;

    const InkMask& mask_;
    std::vector<MaskRun> runs_;
    std::vector<size_t> rowStart_;  // the first run of each row, and the end
};

}  // namespace lp
