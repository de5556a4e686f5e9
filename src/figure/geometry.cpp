#include "figure/geometry.h"

namespace lp {

std::vector<QPointF> Resampled(const std::vector<QPointF>& line, double step) {
    // Nothing to measure along, or no end to the steps.
    if (line.empty() || !(step > 0) || !AllFinite(line)) return line;
    std::vector<QPointF> out{line.front()};
    double carry = 0;  // how far the last point lies before the segment's start
    for (size_t k = 1; k < line.size(); ++k) {
        const QPointF a = line[k - 1], b = line[k];
        const double length = Distance(a, b);
        double t = step - carry;
        for (; t < length; t += step) out.push_back(a + (b - a) * (t / length));
        carry = length - (t - step);
    }
    if (carry < 0.5 * step && out.size() > 1) out.pop_back();
    out.push_back(line.back());
    return out;
}

QPointF AtArc(const std::vector<QPointF>& path, const std::vector<double>& arc, double s) {
    // upper_bound gives the end for s at or beyond the last point: the last segment then.
    const size_t after = size_t(std::upper_bound(arc.begin(), arc.end(), s) - arc.begin());
    const size_t i = std::clamp<size_t>(after, 1, path.size() - 1) - 1;
    const double segment = arc[i + 1] - arc[i];
    return segment > 0 ? path[i] + (path[i + 1] - path[i]) * std::clamp((s - arc[i]) / segment, 0.0, 1.0)
                       : path[i];
}

QPointF LoopArcs::at(double s) const {
    const double total = length();
    const size_t n = size();
    s = std::fmod(s, total);
    if (s < 0) s += total;
    // s + total may round to total itself: the last segment then.
    const size_t after = size_t(std::upper_bound(arc_.begin(), arc_.end(), s) - arc_.begin());
    const size_t i = std::clamp<size_t>(after, 1, n) - 1;
    const QPointF a = points_[i], b = points_[(i + 1) % n];
    const double segment = arc_[i + 1] - arc_[i];
    return segment > 0 ? a + (b - a) * std::clamp((s - arc_[i]) / segment, 0.0, 1.0) : a;
}

}  // namespace lp
