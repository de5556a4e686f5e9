#include "trace/lines/thinning.h"

#include <algorithm>
#include <array>
#include <bit>

namespace lp {

namespace {

constexpr unsigned kN = 1, kNE = 2, kE = 4, kSE = 8, kS = 16, kSW = 32, kW = 64, kNW = 128;

std::array<int, 8> Offsets(int stride) {
    return {-stride, -stride + 1, 1, stride + 1, stride, stride - 1, -1, -stride - 1};
}

// Whether a pixel with this ring of ink neighbours is removed in the given
// subiteration of Guo and Hall's algorithm.
bool Removable(unsigned ring, int pass) {
    auto has = [ring](unsigned bit) { return (ring & bit) != 0; };
    const int n1 =
        (has(kNW) || has(kN)) + (has(kNE) || has(kE)) + (has(kSE) || has(kS)) + (has(kSW) || has(kW));
    const int n2 =
        (has(kN) || has(kNE)) + (has(kE) || has(kSE)) + (has(kS) || has(kSW)) + (has(kW) || has(kNW));
    const int n = std::min(n1, n2);
    const bool m = pass == 0 ? ((has(kS) || has(kSW) || !has(kNW)) && has(kW))
                             : ((has(kN) || has(kNE) || !has(kSE)) && has(kE));
    return NeighbourGroups(ring) == 1 && n >= 2 && n <= 3 && !m;
}

// The inner pixel of an L-shaped step: two 4-neighbours at a right angle, the
// neighbours stay connected without it, and it ends no line.
bool Redundant(unsigned ring) {
    const bool corner = ((ring & kN) && (ring & kE)) || ((ring & kE) && (ring & kS)) ||
                        ((ring & kS) && (ring & kW)) || ((ring & kW) && (ring & kN));
    return corner && NeighbourGroups(ring) == 1 && std::popcount(ring) >= 2;
}

struct Tables {
    std::array<std::array<bool, 256>, 2> removable{};
    std::array<bool, 256> redundant{};
    Tables() {
        for (unsigned r = 0; r < 256; ++r) {
            removable[0][r] = Removable(r, 0);
            removable[1][r] = Removable(r, 1);
            redundant[r] = Redundant(r);
        }
    }
};

const Tables& LookUp() {
    static const Tables tables;
    return tables;
}

unsigned InkRing(const std::vector<uint8_t>& grid, int i, const std::array<int, 8>& off) {
    unsigned ring = 0;
    for (int k = 0; k < 8; ++k) ring |= unsigned(grid[i + off[k]] == 1) << k;
    return ring;
}

}  // namespace

int NeighbourGroups(unsigned ring) {
    auto has = [ring](unsigned bit) { return (ring & bit) != 0; };
    return (!has(kN) && (has(kNE) || has(kE))) + (!has(kE) && (has(kSE) || has(kS))) +
           (!has(kS) && (has(kSW) || has(kW))) + (!has(kW) && (has(kNW) || has(kN)));
}

unsigned Skeleton::ring(int i) const {
    return InkRing(grid, i, Offsets(stride));
}

int Skeleton::halfWidth(int i) const {
    int deepest = 0;
    for (int off : Offsets(stride)) deepest = std::max(deepest, grid[i + off] - 1);
    return deepest;
}

Skeleton ThinInk(const InkMask& mask) {
    Skeleton s;
    if (mask.isEmpty()) return s;
    s.width = mask.width;
    s.height = mask.height;
    s.stride = mask.width + 2;
    s.grid.assign(size_t(s.stride) * (s.height + 2), 0);
    const auto off = Offsets(s.stride);
    const Tables& t = LookUp();

    // Only pixels on the border of the ink can go in the first layer; later,
    // only pixels beside one removed in the layer before.
    std::vector<int> active, removed, next;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            if (mask.ink[size_t(y) * s.width + x]) s.grid[s.index(x, y)] = 1;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
            const int i = s.index(x, y);
            if (s.grid[i] &&
                !(s.grid[i - 1] && s.grid[i + 1] && s.grid[i - s.stride] && s.grid[i + s.stride]))
                active.push_back(i);
        }
    std::vector<uint8_t> queued(s.grid.size(), 0);
    for (int layer = 1; !active.empty(); ++layer) {
        const auto mark = uint8_t(std::min(layer + 1, 255));
        removed.clear();
        for (int pass = 0; pass < 2; ++pass) {
            const size_t before = removed.size();
            for (int i : active)
                if (s.grid[i] == 1 && t.removable[pass][InkRing(s.grid, i, off)]) removed.push_back(i);
            for (size_t k = before; k < removed.size(); ++k) s.grid[removed[k]] = mark;
        }
        next.clear();
        for (int i : removed)
            for (int o : off)
                if (s.grid[i + o] == 1 && !queued[i + o]) {
                    queued[i + o] = 1;
                    next.push_back(i + o);
                }
        for (int i : next) queued[i] = 0;
        active.swap(next);
    }

    std::vector<int> widths;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
            const int i = s.index(x, y);
            if (!s.on(i)) continue;
            if (t.redundant[InkRing(s.grid, i, off)]) {
                s.grid[i] = 2;  // the outermost layer: it does not widen the estimate
                continue;
            }
            widths.push_back(s.halfWidth(i));
        }
    if (!widths.empty()) {
        auto mid = widths.begin() + widths.size() / 2;
        std::nth_element(widths.begin(), mid, widths.end());
        s.strokeWidth = 2.0 * *mid + 1;
    }
    return s;
}

}  // namespace lp
