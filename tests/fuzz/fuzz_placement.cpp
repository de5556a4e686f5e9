// Corners, joining and point placement on loops of any coordinates (NaN,
// infinities and the absurd included) and any number of points.
#include <cmath>

#include "figure/corners.h"
#include "figure/geometry.h"
#include "figure/pointplacement.h"
#include "figure/rounding.h"
#include "fuzzinput.h"
#include "trace/route/join.h"

namespace {

// A loop of `n` points round a circle, for the sizes no seed file holds.
lp::Polyline Circle(size_t n, double radius) {
    lp::Polyline loop;
    for (size_t i = 0; i < n; ++i) {
        const double a = 2 * M_PI * double(i) / double(n);
        loop.push_back({QPointF(127 + radius * std::cos(a), 127 + radius * std::sin(a)), i % 97 == 0});
    }
    return loop;
}

}  // namespace

// Flags (1: coordinates as doubles, else as 1/64 units in 16 bits; 2: a
// circle of up to 200,000 points first: three times an ILDA frame's most,
// well within the second an input may take under the sanitizers), the number of points to place (0: 256,
// beyond kMostPlaced refused), then the points, each after a byte (1: a
// corner, 2: the start of another loop).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const auto flags = in.take<uint8_t>();
    const int count = in.take<uint16_t>() % (lp::kMostPlaced + 2);
    std::vector<lp::Polyline> loops(1);
    if (flags & 2) loops.back() = Circle(in.take<uint32_t>() % 200'001, in.take<uint8_t>() / 2.0);
    while (in.left() > 0) {
        const auto mark = in.take<uint8_t>();
        QPointF p;
        if (flags & 1) {
            const auto x = in.take<double>();
            p = QPointF(x, in.take<double>());
        } else {
            const auto x = in.take<int16_t>();
            p = QPointF(x / 64.0, in.take<int16_t>() / 64.0);
        }
        if ((mark & 2) && !loops.back().empty()) loops.emplace_back();
        loops.back().push_back({p, bool(mark & 1)});
    }
    bool finite = true;
    for (lp::Polyline& loop : loops) {
        lp::MarkCorners(loop);
        finite = finite && lp::AllFinite(loop);
    }
    const lp::JoinedRoute joined = lp::JoinLoops(loops);
    const lp::Polyline& route = loops.size() == 1 ? loops.front() : joined.route;
    const std::vector<QPointF> points = lp::AllocatePoints(route, count ? count : lp::kPointCount);
    if (finite && count <= lp::kMostPlaced && (loops.size() == 1 || !route.empty()))
        FUZZ_CHECK(points.size() == size_t(count ? count : lp::kPointCount));
    for (const QPointF& p : points) FUZZ_CHECK(lp::Finite(p));
    lp::Coords X, Y;
    lp::RoundToField(points.size() == size_t(lp::kPointCount) ? points : std::vector<QPointF>(), X, Y);
    return 0;
}
