// Corners of a closed path: where it turns sharply within a short stretch.
#include <algorithm>
#include <cmath>
#include <deque>

#include "figure/geometry.h"
#include "figure/pathfigure.h"

namespace lp {

namespace {

// The point at arc length `s` along a closed loop with cumulative lengths `arc`
// (n + 1 of them, the last the loop's length).
QPointF AtArc(const Polyline& loop, const std::vector<double>& arc, double s) {
    const double total = arc.back();
    const size_t n = loop.size();
    s = std::fmod(s, total);
    if (s < 0) s += total;
    // s + total may round to total itself: the last segment then.
    const size_t after = size_t(std::upper_bound(arc.begin(), arc.end(), s) - arc.begin());
    const size_t i = std::clamp<size_t>(after, 1, n) - 1;
    const QPointF a = loop[i].p, b = loop[(i + 1) % n].p;
    const double length = arc[i + 1] - arc[i];
    return length > 0 ? a + (b - a) * std::clamp((s - arc[i]) / length, 0.0, 1.0) : a;
}

}  // namespace

bool IsFinite(const Polyline& path) {
    return std::all_of(path.begin(), path.end(), [](const RoutePoint& r) { return Finite(r.p); });
}

void MarkCorners(Polyline& loop, double window, double angleDegrees) {
    const size_t n = loop.size();
    if (n < 3 || !IsFinite(loop)) return;
    std::vector<double> arc(n + 1, 0);
    for (size_t i = 0; i < n; ++i) arc[i + 1] = arc[i] + Distance(loop[i].p, loop[(i + 1) % n].p);
    const double total = arc.back();
    if (!(total > 0) || !std::isfinite(total)) return;  // a point, or beyond any field
    const double w = std::min(window >= 0 ? window : 0.0, total / 4);

    // The turn at each point between the points `w` before and after it.
    const double minimum = angleDegrees * M_PI / 180;
    std::vector<double> turn(n, 0);
    for (size_t i = 0; i < n; ++i) {
        const QPointF p = loop[i].p, in = p - AtArc(loop, arc, arc[i] - w),
                      out = AtArc(loop, arc, arc[i] + w) - p;
        const double cross = in.x() * out.y() - in.y() * out.x(), dot = in.x() * out.x() + in.y() * out.y();
        turn[i] = std::abs(std::atan2(cross, dot));
    }
    // Within a turn only its sharpest point: the strongest within w either
    // way, a point already marked the strongest of all, the first of equals.
    auto stronger = [&](size_t j, size_t i) {
        if (loop[j].corner != loop[i].corner) return loop[j].corner;
        return turn[j] > turn[i] || (turn[j] == turn[i] && j < i);
    };
    // The loop unrolled once each way, k from 0 to 3n standing for vertex
    // k - n; both ends of the window only move forward, so a queue of the
    // points that may still be the strongest holds it (2w < total: no point twice).
    auto arcOf = [&](size_t k) { return arc[k % n] + total * (double(k / n) - 1); };
    std::deque<size_t> strongest;
    std::vector<size_t> found;
    for (size_t i = 0, next = 0; i < n; ++i) {
        for (; next < 3 * n && arcOf(next) <= arc[i] + w; ++next) {
            while (!strongest.empty() && stronger(next % n, strongest.back() % n)) strongest.pop_back();
            strongest.push_back(next);
        }
        while (arcOf(strongest.front()) < arc[i] - w) strongest.pop_front();
        if (!loop[i].corner && turn[i] >= minimum && strongest.front() % n == i) found.push_back(i);
    }
    for (size_t i : found) loop[i].corner = true;
}

}  // namespace lp
