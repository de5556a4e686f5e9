// Thinning of the ink to centre lines one pixel wide.
#pragma once

#include <cstdint>
#include <vector>

#include "trace/ink/mask.h"

namespace lp {

// The ink thinned to its centre lines. The grid carries a one-pixel frame of
// background, so every pixel of the mask has eight neighbours: pixel (x, y) of
// the mask is entry (y + 1) * stride + x + 1. An entry is 0 for background,
// 1 for a centre-line pixel and k + 1 for ink peeled off in layer k.
struct Skeleton {
    int width = 0, height = 0, stride = 0;
    std::vector<uint8_t> grid;
    double strokeWidth = 1;  // typical stroke width in pixels, from the layers peeled beside the lines

    bool on(int i) const { return grid[i] == 1; }
    int index(int x, int y) const { return (y + 1) * stride + x + 1; }
    int xOf(int i) const { return i % stride - 1; }
    int yOf(int i) const { return i / stride - 1; }
    // The eight neighbours on the centre lines: bit 0 north, then clockwise to bit 7 north-west.
    unsigned ring(int i) const;
    // The deepest layer peeled beside centre-line pixel i: about half the stroke width there.
    int halfWidth(int i) const;
};

// Guo and Hall's parallel thinning (algorithm A1 of "Parallel thinning with
// two-subiteration algorithms", Comm. ACM 32(3), 1989), which keeps connections,
// holes and the ends of strokes; then one pass removes the inner pixel of every
// L-shaped step, so that a line's pixels have two neighbours each.
Skeleton ThinInk(const InkMask& mask);

// The number of 8-connected groups of set pixels in a ring of neighbours.
int NeighbourGroups(unsigned ring);

}  // namespace lp
