#include "trace/route/crowding.h"

#include <cmath>
#include <unordered_map>

namespace lp {

double CrowdedShare(const Coords& X, const Coords& Y, double reach, double retrace,
                    std::vector<QPointF>* where) {
    struct Sample {
        QPointF p, d;  // where, and the unit direction there
        double s;      // how far along the route
    };
    std::vector<Sample> samples;
    double length = 0;
    for (int i = 0; i < kPointCount; ++i) {
        const QPointF a(X[size_t(i)], Y[size_t(i)]);
        const QPointF b(X[size_t(i + 1) % kPointCount], Y[size_t(i + 1) % kPointCount]);
        const double l = std::hypot(b.x() - a.x(), b.y() - a.y());
        const int n = int(std::ceil(l / 0.5));
        for (int k = 0; k < n; ++k)
            samples.push_back({a + (b - a) * (double(k) / n), (b - a) / l, length + l * k / n});
        length += l;
    }
    // Samples bucketed in cells of side `reach`.
    auto key = [&](QPointF p) {
        return (int64_t(std::floor(p.x() / reach)) << 32) ^ uint32_t(int32_t(std::floor(p.y() / reach)));
    };
    std::unordered_map<int64_t, std::vector<size_t>> cells;
    for (size_t i = 0; i < samples.size(); ++i) cells[key(samples[i].p)].push_back(i);
    const double parallel = std::cos(20 * M_PI / 180), own = 2 * reach;
    size_t crowded = 0;
    for (const Sample& a : samples) {
        bool beside = false, back = false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const auto found = cells.find(key(a.p + QPointF(dx * reach, dy * reach)));
                if (found == cells.end()) continue;
                for (const size_t j : found->second) {
                    const Sample& b = samples[j];
                    const double along = std::abs(a.s - b.s), cosine = QPointF::dotProduct(a.d, b.d);
                    const double apart = std::hypot(a.p.x() - b.p.x(), a.p.y() - b.p.y());
                    if (std::min(along, length - along) <= own || apart > reach ||
                        std::abs(cosine) < parallel)
                        continue;
                    (cosine < 0 && apart <= retrace ? back : beside) = true;
                }
            }
        if (beside && !back) {
            ++crowded;
            if (where) where->push_back(a.p);
        }
    }
    return samples.empty() ? 0 : double(crowded) / double(samples.size());
}

}  // namespace lp
