#include "trace/lines/linefit.h"

#include <algorithm>
#include <cmath>

#include "figure/geometry.h"

namespace lp {

namespace {

QPointF Normal(QPointF d) {
    return {-d.y(), d.x()};
}

// The least-squares line, then parabola, through the points of `p` between arc
// lengths a0 and a1.
std::optional<ArmFit> FitBetween(const std::vector<QPointF>& p, const std::vector<double>& s, double a0,
                                 double a1) {
    std::vector<QPointF> run;
    for (size_t k = 0; k < p.size() && s[k] <= a1; ++k)
        if (s[k] >= a0) run.push_back(p[k]);
    if (run.size() < 3 || a1 - a0 < 2) return std::nullopt;
    QPointF c;
    for (const QPointF& q : run) c += q;
    c /= double(run.size());
    double sxx = 0, syy = 0, sxy = 0;
    for (const QPointF& q : run) {
        const QPointF v = q - c;
        sxx += v.x() * v.x(), syy += v.y() * v.y(), sxy += v.x() * v.y();
    }
    const double angle = 0.5 * std::atan2(2 * sxy, sxx - syy);
    ArmFit fit{{c, {std::cos(angle), std::sin(angle)}}};
    if (QPointF::dotProduct(fit.axis.d, c - p.front()) < 0) fit.axis.d = -fit.axis.d;
    if (a1 - a0 < 20) return fit;  // too short to tell a bend from the staircase
    // v = b0 + b1 u + b2 u²: the normal equations, solved by Cramer's rule.
    double m[3][4] = {};
    for (const QPointF& q : run) {
        const double u = fit.along(q), v = QPointF::dotProduct(q - c, Normal(fit.axis.d));
        const double pw[3] = {1, u, u * u};
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) m[i][j] += pw[i] * pw[j];
            m[i][3] += pw[i] * v;
        }
    }
    auto det = [&](int col) {
        auto e = [&](int i, int j) { return m[i][j == col ? 3 : j]; };
        return e(0, 0) * (e(1, 1) * e(2, 2) - e(1, 2) * e(2, 1)) -
               e(0, 1) * (e(1, 0) * e(2, 2) - e(1, 2) * e(2, 0)) +
               e(0, 2) * (e(1, 0) * e(2, 1) - e(1, 1) * e(2, 0));
    };
    const double d = det(-1);
    if (std::abs(d) < 1e-9) return fit;
    fit.b0 = det(0) / d, fit.b1 = det(1) / d, fit.b2 = det(2) / d;
    return fit;
}

// The point nearest to all lines, held slightly towards p0.
QPointF Nearest(const std::vector<Line>& lines, QPointF p0) {
    const double hold = 1e-4 * lines.size();
    double a = hold, b = 0, c = hold, rx = hold * p0.x(), ry = hold * p0.y();
    for (const Line& l : lines) {
        const double m11 = 1 - l.d.x() * l.d.x(), m12 = -l.d.x() * l.d.y(), m22 = 1 - l.d.y() * l.d.y();
        a += m11, b += m12, c += m22;
        rx += m11 * l.c.x() + m12 * l.c.y();
        ry += m12 * l.c.x() + m22 * l.c.y();
    }
    return {(c * rx - b * ry) / (a * c - b * b), (a * ry - b * rx) / (a * c - b * b)};
}

}  // namespace

QPointF ArmFit::at(double u) const {
    return axis.c + axis.d * u + Normal(axis.d) * (b0 + u * (b1 + u * b2));
}

Line ArmFit::tangentAt(double u) const {
    const QPointF d = axis.d + Normal(axis.d) * (b1 + 2 * b2 * u);
    return {at(u), d / Distance(d, {})};
}

std::optional<ArmFit> FitArm(const std::vector<QPointF>& away, double w, double share) {
    const std::vector<double> s = ArcLengths(away, false);
    // Not round a corner the run leads to.
    double len = s.empty() ? 0 : share * s.back();
    const int d = std::max(3, int(w));
    for (size_t k = d; k + d < away.size() && s[k] < len; ++k) {
        const double turn = TurnAt(away[k - d], away[k], away[k + d]);
        if (s[k] > std::max(w, 4.0) + d && turn > 40 * M_PI / 180) len = s[k - d];
    }
    double a1 = std::min(std::max(4 * w, 24.0), len), a0 = std::min(std::max(w, 4.0), 0.5 * a1);
    std::optional<ArmFit> fit;
    // Where the stretch fitted still strays from its curve, the bent part
    // reaches into it: fit again beyond.
    for (int round = 0; round < 3; ++round) {
        const auto next = FitBetween(away, s, a0, a1);
        if (!next) break;
        fit = next;
        for (size_t k = 0; k < away.size() && s[k] <= a1; ++k)
            if (Distance(away[k], fit->at(fit->along(away[k]))) > 1) fit->bent = s[k];
        if (fit->bent <= a0 + 1) break;
        a1 = std::min(a1 + fit->bent - a0, len);
        a0 = fit->bent;
    }
    if (fit) fit->bent = std::min(fit->bent, a0);
    return fit;
}

std::optional<QPointF> Meet(const std::vector<ArmFit>& arms, QPointF p0, double w) {
    if (arms.size() == 1) {  // only a small correction across the stroke
        const QPointF p = arms[0].at(arms[0].along(p0));
        if (Distance(p, p0) > std::max(0.5 * w, 1.5)) return std::nullopt;
        return p;
    }
    double sharpest = M_PI;
    std::vector<Line> lines;
    for (const ArmFit& a : arms) lines.push_back(a.tangentAt(a.along(p0)));
    for (size_t i = 0; i < lines.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            sharpest = std::min(
                sharpest, std::acos(std::clamp(QPointF::dotProduct(lines[i].d, lines[j].d), -1.0, 1.0)));
    QPointF p = p0;
    for (int round = 0; round < 4; ++round) {  // tangents taken where the arms pass the estimate
        lines.clear();
        for (const ArmFit& a : arms) lines.push_back(a.tangentAt(a.along(p)));
        p = Nearest(lines, p0);
    }
    // The inner corner of two strokes meeting at angle t lies w / 2 / sin(t / 2) from where they meet.
    const double reach = std::min(0.5 * w + 0.5 * w / std::max(std::sin(sharpest / 2), 0.05), 4 * w);
    if (Distance(p, p0) > reach) return std::nullopt;
    return p;
}

}  // namespace lp
