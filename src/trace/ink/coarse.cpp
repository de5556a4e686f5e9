#include "trace/ink/coarse.h"

#include <algorithm>

namespace lp {

int64_t OutlineLength(const InkMask& mask) {
    int64_t changes = 0;
    const size_t w = size_t(mask.width);
    for (size_t y = 0; y < size_t(std::max(mask.height, 0)); ++y) {
        const uint8_t* row = mask.ink.data() + y * w;
        const uint8_t* above = y > 0 ? row - w : nullptr;
        for (size_t x = 0; x < w; ++x)
            changes += (x > 0 && row[x] != row[x - 1]) + (above && row[x] != above[x]);
    }
    return changes;
}

InkMask Coarser(const InkMask& mask, int k) {
    InkMask coarse;
    coarse.width = (mask.width + k - 1) / k;
    coarse.height = (mask.height + k - 1) / k;
    coarse.toSource = QTransform::fromScale(k, k) * mask.toSource;
    coarse.inkUsed = mask.inkUsed;
    coarse.photo = mask.photo;
    coarse.threshold = mask.threshold;
    std::vector<int> count(size_t(coarse.width) * size_t(std::max(coarse.height, 0)), 0);
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x)
            count[size_t(y / k) * size_t(coarse.width) + size_t(x / k)] += mask.at(x, y);
    coarse.ink.resize(count.size());
    for (int y = 0; y < coarse.height; ++y)
        for (int x = 0; x < coarse.width; ++x) {
            const int area =
                (std::min(mask.width, (x + 1) * k) - x * k) * (std::min(mask.height, (y + 1) * k) - y * k);
            const size_t i = size_t(y) * size_t(coarse.width) + size_t(x);
            coarse.ink[i] = 2 * count[i] >= area;
            coarse.inkPixels += coarse.ink[i];
        }
    return coarse;
}

InkMask WithinOutlineLength(InkMask mask, int64_t most) {
    if (OutlineLength(mask) <= most) return mask;
    for (int k = 2;; k = std::max(k + 1, k * 3 / 2)) {
        InkMask coarse = Coarser(mask, k);
        if (OutlineLength(coarse) <= most || coarse.width <= 2 || coarse.height <= 2) return coarse;
    }
}

}  // namespace lp
