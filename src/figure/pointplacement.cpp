// Placing a fixed number of points along a closed route: the corners are kept,
// the points between them go where the chords stay closest to the route, and
// no step is longer than twice the mean step (the projector's brightness
// follows the spacing).
#include "figure/pointplacement.h"

#include <algorithm>
#include <cmath>
#include <queue>

#include "figure/corners.h"
#include "figure/geometry.h"
#include "figure/placementtuning.h"
#include "figure/rounding.h"
#include "figure/simplify.h"

namespace lp {

namespace {

constexpr double kUnseenDeviation = kPlacementTuning.unseenDeviation;
// A route shorter than this (field units) is a point.
constexpr double kNoLength = 1e-6;

// How sharply the route turns at vertex i, between its neighbours.
double Turn(const Polyline& route, size_t i) {
    const size_t n = route.size();
    return TurnAt(route[(i + n - 1) % n].p, route[i].p, route[(i + 1) % n].p);
}

struct Allocation {
    const LoopArcs& route;
    std::vector<size_t> fixed;  // unrolled vertex indices, ascending, the first again at the end + n

    // Whether the chord from arc s (first vertex after it: k0) to arc t
    // (vertices before it: up to k1 - 1) passes within eps of those vertices.
    bool close(double s, size_t k0, double t, size_t k1, double eps) const {
        const QPointF a = route.at(s, k0), b = route.at(t, k1);
        const double eps2 = eps * eps;
        for (size_t k = k0; k < k1; ++k)
            if (route.arc(k) < t && SegmentDistance2(route.vertex(k), a, b) > eps2) return false;
        return true;
    }

    // Greedy: from each point, the farthest point within maxStep whose chord
    // stays within eps. Gives up beyond `budget` points.
    std::vector<double> place(double eps, double maxStep, size_t budget) const {
        std::vector<double> points;
        for (size_t f = 0; f + 1 < fixed.size(); ++f) {
            const double end = route.arc(fixed[f + 1]);
            const double tiny = 1e-9 * std::max(1.0, route.length());
            double s = route.arc(fixed[f]);
            size_t next = route.after(s, fixed[f]);
            while (s < end - tiny) {
                points.push_back(s);
                if (points.size() > budget) return points;
                // The last two steps of a section share what is left evenly.
                const double limit = end - s > 2 * maxStep ? s + maxStep
                                     : end - s > maxStep   ? (s + end) / 2
                                                           : end;
                double best = s;
                size_t k = next;
                bool failed = false;
                for (; route.arc(k) <= limit; ++k) {
                    if (!close(s, next, route.arc(k), k, eps)) {
                        failed = true;
                        break;
                    }
                    best = route.arc(k);
                }
                if (!failed) {
                    if (close(s, next, limit, route.after(limit - tiny, next), eps)) best = limit;
                } else {
                    // Between the last vertex that fits and the first that does not.
                    double lo = best, hi = std::min(route.arc(k), limit);
                    for (int i = 0; i < 10; ++i) {
                        const double mid = (lo + hi) / 2;
                        (close(s, next, mid, route.after(mid, next), eps) ? lo : hi) = mid;
                    }
                    best = lo;
                }
                if (best <= s) best = std::min(route.arc(next), limit);  // never stand still
                s = best;
                next = route.after(s, next);
            }
        }
        return points;
    }

    // Between two corners, the same number of points at even steps wherever
    // that keeps the chords within eps. `at` holds every section's start.
    void even(std::vector<double>& at, double eps) const {
        size_t a = 0;
        for (size_t f = 0; f + 1 < fixed.size(); ++f) {
            const double start = route.arc(fixed[f]), end = route.arc(fixed[f + 1]);
            while (a < at.size() && at[a] < start) ++a;
            size_t b = a;
            while (b < at.size() && at[b] < end) ++b;
            const size_t m = b - a;
            std::vector<double> even(m + 1);
            for (size_t j = 0; j <= m; ++j) even[j] = start + (end - start) * double(j) / double(m);
            bool fits = m > 0;
            for (size_t j = 0, next = fixed[f] + 1; j < m && fits; ++j) {
                next = route.after(even[j], next - 1);
                fits = close(even[j], next, even[j + 1], route.after(even[j + 1] - 1e-12, next), eps);
            }
            if (fits) std::copy(even.begin(), even.end() - 1, at.begin() + std::ptrdiff_t(a));
            a = b;
        }
    }
};

}  // namespace

std::vector<QPointF> AllocatePoints(const Polyline& input, int count) {
    if (count <= 0 || count > kMostPlaced || !AllFinite(input)) return {};
    if (input.empty()) return std::vector<QPointF>(size_t(count), QPointF(127, 127));
    // The work grows with the vertices between two points: a long route is thinned first.
    const size_t most = kPlacementTuning.placedVertices;
    const Polyline thinned =
        input.size() > most ? SimplifiedRoute(input, most, kPlacementTuning.placedSimplify) : Polyline();
    const Polyline& route = thinned.empty() ? input : thinned;
    const LoopArcs unrolled(route);
    const double length = unrolled.length();
    const auto atOnePlace = [&] { return std::vector<QPointF>(size_t(count), route.front().p); };
    if (!(length > kNoLength) || !std::isfinite(length)) return atOnePlace();

    // The corners, at most half the points: the sharpest are kept.
    std::vector<size_t> corners;
    for (size_t i = 0; i < route.size(); ++i)
        if (route[i].corner) corners.push_back(i);
    if (corners.size() > size_t(count / 2)) {
        std::stable_sort(corners.begin(), corners.end(),
                         [&](size_t a, size_t b) { return Turn(route, a) > Turn(route, b); });
        corners.resize(size_t(count / 2));
        std::sort(corners.begin(), corners.end());
    }
    if (corners.empty()) corners.push_back(0);

    Allocation allocation{unrolled, corners};
    allocation.fixed.push_back(corners.front() + route.size());
    const double maxStep = kPlacementTuning.stepRatio * length / count * (1 + 1e-9);

    // The smallest deviation the points can hold, by bisection, unless one
    // too small to see already fits.
    const size_t budget = size_t(count);
    double eps = kUnseenDeviation;
    std::vector<double> best = allocation.place(eps, maxStep, budget), placed;
    if (best.size() > budget) {
        double lo = eps;
        while ((placed = allocation.place(eps *= 2, maxStep, budget)).size() > budget && eps < length)
            lo = eps;
        best = std::move(placed);
        while (eps - lo > 0.01 * eps) {
            const double mid = (lo + eps) / 2;
            placed = allocation.place(mid, maxStep, budget);
            if (placed.size() <= budget) {
                eps = mid;
                best = std::move(placed);
            } else {
                lo = mid;
            }
        }
    }
    if (best.size() > budget) best.resize(budget);  // only with absurd input
    if (best.empty()) return atOnePlace();

    // Where the deviation allows, even steps: the shortest cap on the steps
    // that the points still fill. (With detail to spare, they are all needed.)
    for (double lo = eps > kUnseenDeviation ? maxStep : length / count, hi = maxStep; hi - lo > 2e-3 * hi;) {
        const double mid = (lo + hi) / 2;
        placed = allocation.place(eps, mid, budget);
        if (placed.size() <= budget) {
            hi = mid;
            best = std::move(placed);
        } else {
            lo = mid;
        }
    }

    // The points left over split the longest steps.
    const double start = best.front();
    std::vector<double> steps(best.size());
    for (size_t j = 0; j < best.size(); ++j)
        steps[j] = (j + 1 < best.size() ? best[j + 1] : start + length) - best[j];
    std::vector<int> parts(best.size(), 1);
    std::priority_queue<std::pair<double, size_t>> longest;
    for (size_t j = 0; j < steps.size(); ++j) longest.push({steps[j], j});
    for (size_t extra = best.size(); extra < budget; ++extra) {
        const size_t j = longest.top().second;
        longest.pop();
        longest.push({steps[j] / ++parts[j], j});
    }

    std::vector<double> at;
    at.reserve(budget);
    for (size_t j = 0; j < best.size(); ++j)
        for (int q = 0; q < parts[j]; ++q) at.push_back(best[j] + steps[j] * q / parts[j]);
    allocation.even(at, eps);

    std::vector<QPointF> points;
    points.reserve(budget);
    size_t next = 0;
    for (const double s : at) {
        next = unrolled.after(s, next);
        points.push_back(unrolled.at(s, next));
    }
    return points;
}

void PathToFigure(Polyline path, Coords& X, Coords& Y) {
    MarkCorners(path);
    if (!path.empty()) path.front().corner = true;  // the figure starts where the path does
    RoundToField(AllocatePoints(path, kPointCount), X, Y);
}

}  // namespace lp
