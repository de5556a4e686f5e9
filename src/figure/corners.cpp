// Corners of a closed path: where it turns sharply within a short stretch.
#include <algorithm>
#include <cmath>

#include "figure/geometry.h"
#include "figure/pathfigure.h"

namespace lp {

namespace {

// The point at arc length `s` along a closed loop with cumulative lengths `arc`.
QPointF AtArc(const Polyline& loop, const std::vector<double>& arc, double s) {
    const double total = arc.back();
    s = std::fmod(s, total);
    if (s < 0) s += total;
    const size_t i = size_t(std::upper_bound(arc.begin(), arc.end(), s) - arc.begin()) - 1;
    const size_t n = loop.size();
    const QPointF a = loop[i % n].p, b = loop[(i + 1) % n].p;
    const double length = arc[i + 1] - arc[i];
    return length > 0 ? a + (b - a) * ((s - arc[i]) / length) : a;
}

}  // namespace

void MarkCorners(Polyline& loop, double window, double angleDegrees) {
    const size_t n = loop.size();
    if (n < 3) return;
    std::vector<double> arc(n + 1, 0);
    for (size_t i = 0; i < n; ++i) arc[i + 1] = arc[i] + Distance(loop[i].p, loop[(i + 1) % n].p);
    const double total = arc.back();
    if (!(total > 0)) return;
    const double w = std::min(window, total / 4);

    // The turn at each point between the points `w` before and after it.
    const double minimum = angleDegrees * M_PI / 180;
    std::vector<double> turn(n, 0);
    for (size_t i = 0; i < n; ++i) {
        const QPointF p = loop[i].p, in = p - AtArc(loop, arc, arc[i] - w),
                      out = AtArc(loop, arc, arc[i] + w) - p;
        const double cross = in.x() * out.y() - in.y() * out.x(), dot = in.x() * out.x() + in.y() * out.y();
        turn[i] = std::abs(std::atan2(cross, dot));
    }
    // Within a turn only its sharpest point; one already marked takes precedence.
    auto beats = [&](size_t j, size_t i) {
        return loop[j].corner || turn[j] > turn[i] || (turn[j] == turn[i] && j < i);
    };
    std::vector<size_t> found;
    for (size_t i = 0; i < n; ++i) {
        if (loop[i].corner || turn[i] < minimum) continue;
        bool sharpest = true;
        for (size_t k = 1; k < n && sharpest; ++k) {
            const size_t j = (i + k) % n;
            if ((j > i ? arc[j] - arc[i] : total - arc[i] + arc[j]) > w) break;
            sharpest = !beats(j, i);
        }
        for (size_t k = 1; k < n && sharpest; ++k) {
            const size_t j = (i + n - k) % n;
            if ((j < i ? arc[i] - arc[j] : arc[i] + total - arc[j]) > w) break;
            sharpest = !beats(j, i);
        }
        if (sharpest) found.push_back(i);
    }
    for (size_t i : found) loop[i].corner = true;
}

}  // namespace lp
