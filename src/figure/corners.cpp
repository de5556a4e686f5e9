// Corners of a path: where it turns sharply within a short stretch. The one
// corner finder of the tracing (outlines and strokes alike) and the ILDA import.
#include "figure/corners.h"

#include <algorithm>
#include <cmath>
#include <deque>

#include "figure/geometry.h"

namespace lp {

std::vector<size_t> FindCorners(const std::vector<QPointF>& path, bool closed, CornerRule rule,
                                const std::vector<bool>& marked) {
    const size_t n = path.size();
    if (n < 3 || !AllFinite(path)) return {};
    const LoopArcs loop(path);
    const std::vector<double> open = closed ? std::vector<double>() : ArcLengths(path, false);
    const double total = closed ? loop.length() : open.back();
    if (!(total > 0) || !std::isfinite(total)) return {};  // a point, or beyond any field
    const double span = rule.span >= 0 ? rule.span : 0.0;
    const double w = closed ? std::min(span, total / 4) : span;
    auto arcOf = [&](size_t i) { return closed ? loop.arc(i) : open[i]; };
    auto at = [&](double s) { return closed ? loop.at(s) : AtArc(path, open, s); };

    // The turn at each point between the points `w` before and after it.
    const double minimum = rule.angleDegrees * M_PI / 180;
    std::vector<double> turn(n, 0);
    for (size_t i = 0; i < n; ++i)
        if (closed || (arcOf(i) - w >= 0 && arcOf(i) + w <= total))
            turn[i] = TurnAt(at(arcOf(i) - w), path[i], at(arcOf(i) + w));
    // Within a turn only its sharpest point: the strongest within w either
    // way, a point already marked the strongest of all, the first of equals.
    auto isMarked = [&](size_t i) { return i < marked.size() && marked[i]; };
    auto stronger = [&](size_t j, size_t i) {
        if (isMarked(j) != isMarked(i)) return isMarked(j);
        return turn[j] > turn[i] || (turn[j] == turn[i] && j < i);
    };
    // A closed path unrolled once each way, k from 0 to 3n standing for vertex
    // k - n; both ends of the window only move forward, so a queue of the
    // points that may still be the strongest holds it (2w < total: no point twice).
    const size_t end = closed ? 3 * n : n;
    auto unrolled = [&](size_t k) { return closed ? arcOf(k % n) + total * (double(k / n) - 1) : open[k]; };
    std::deque<size_t> strongest;
    std::vector<size_t> found;
    for (size_t i = 0, next = 0; i < n; ++i) {
        for (; next < end && unrolled(next) <= arcOf(i) + w; ++next) {
            while (!strongest.empty() && stronger(next % n, strongest.back() % n)) strongest.pop_back();
            strongest.push_back(next);
        }
        while (unrolled(strongest.front()) < arcOf(i) - w) strongest.pop_front();
        if (!isMarked(i) && turn[i] >= minimum && strongest.front() % n == i) found.push_back(i);
    }
    return found;
}

void MarkCorners(Polyline& loop, CornerRule rule) {
    std::vector<QPointF> points(loop.size());
    std::vector<bool> marked(loop.size());
    for (size_t i = 0; i < loop.size(); ++i) points[i] = loop[i].p, marked[i] = loop[i].corner;
    for (const size_t i : FindCorners(points, true, rule, marked)) loop[i].corner = true;
}

}  // namespace lp
