// Corners of a closed path: where it turns sharply within a short stretch.
#include <algorithm>
#include <cmath>
#include <deque>

#include "figure/geometry.h"
#include "figure/pathfigure.h"

namespace lp {

void MarkCorners(Polyline& loop, double window, double angleDegrees) {
    const size_t n = loop.size();
    if (n < 3 || !AllFinite(loop)) return;
    const LoopArcs arcs(loop);
    if (!arcs.measurable()) return;  // a point, or beyond any field
    const double total = arcs.length();
    const double w = std::min(window >= 0 ? window : 0.0, total / 4);

    // The turn at each point between the points `w` before and after it.
    const double minimum = angleDegrees * M_PI / 180;
    std::vector<double> turn(n, 0);
    for (size_t i = 0; i < n; ++i) {
        turn[i] = TurnAt(arcs.at(arcs.arc(i) - w), loop[i].p, arcs.at(arcs.arc(i) + w));
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
    auto arcOf = [&](size_t k) { return arcs.arc(k % n) + total * (double(k / n) - 1); };
    std::deque<size_t> strongest;
    std::vector<size_t> found;
    for (size_t i = 0, next = 0; i < n; ++i) {
        for (; next < 3 * n && arcOf(next) <= arcs.arc(i) + w; ++next) {
            while (!strongest.empty() && stronger(next % n, strongest.back() % n)) strongest.pop_back();
            strongest.push_back(next);
        }
        while (arcOf(strongest.front()) < arcs.arc(i) - w) strongest.pop_front();
        if (!loop[i].corner && turn[i] >= minimum && strongest.front() % n == i) found.push_back(i);
    }
    for (size_t i : found) loop[i].corner = true;
}

}  // namespace lp
