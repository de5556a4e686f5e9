// Rounding the placed points to the field so that no two consecutive points
// fall on the same unit: the projector would stop there and burn a bright dot.
#include "figure/rounding.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "figure/geometry.h"

namespace lp {

namespace {

struct Cell {
    int x = 0, y = 0;
    bool operator==(const Cell&) const = default;
};

Cell CellOf(QPointF p) {
    return {int(std::lround(std::clamp(p.x(), 0.0, 255.0))), int(std::lround(std::clamp(p.y(), 0.0, 255.0)))};
}

// The nearest point from `from` towards `to` (exclusive) that rounds to a unit
// other than those of `a` and `b`; the parameter along the way.
std::optional<double> Slide(QPointF from, QPointF to, Cell a, Cell b) {
    std::vector<double> crossings;
    const QPointF d = to - from;
    for (int axis = 0; axis < 2; ++axis) {
        const double p0 = axis ? from.y() : from.x(), dp = axis ? d.y() : d.x();
        if (std::abs(dp) < 1e-12) continue;
        const double lo = std::min(p0, p0 + dp), hi = std::max(p0, p0 + dp);
        for (double line = std::ceil(lo - 0.5) + 0.5; line < hi && crossings.size() < 64; line += 1)
            crossings.push_back((line - p0) / dp);
    }
    std::sort(crossings.begin(), crossings.end());
    for (double t : crossings) {
        const double after = std::min(t + 1e-6, 1 - 1e-6);
        const Cell c = CellOf(from + d * after);
        if (!(c == a) && !(c == b)) return after;
    }
    return std::nullopt;
}

// Each unit the route visits gets its share of the points, in turn.
void RepeatEvenly(const std::vector<QPointF>& q, Coords& X, Coords& Y) {
    std::vector<Cell> cells;
    for (const QPointF& p : q)
        if (cells.empty() || !(cells.back() == CellOf(p))) cells.push_back(CellOf(p));
    while (cells.size() > 1 && cells.back() == cells.front()) cells.pop_back();
    for (size_t i = 0; i < size_t(kPointCount); ++i) {
        const Cell c = cells[i * cells.size() / size_t(kPointCount)];
        X[i] = uint8_t(c.x);
        Y[i] = uint8_t(c.y);
    }
}

// How far apart the placed path a-p-b and the rounded path u-c-v lie, either
// way, squared.
double Apart(QPointF a, QPointF p, QPointF b, QPointF u, QPointF c, QPointF v) {
    double worst = 0;
    for (int k = 0; k <= 2; ++k) {
        const double t = k / 4.0 + 0.5;  // the halves next to the point: the rest is the neighbours' business
        const QPointF s1 = a + (p - a) * t, s2 = b + (p - b) * t, r1 = u + (c - u) * t, r2 = v + (c - v) * t;
        worst = std::max({worst, std::min(SegmentDistance2(s1, u, c), SegmentDistance2(s1, c, v)),
                          std::min(SegmentDistance2(s2, u, c), SegmentDistance2(s2, c, v)),
                          std::min(SegmentDistance2(r1, a, p), SegmentDistance2(r1, p, b)),
                          std::min(SegmentDistance2(r2, a, p), SegmentDistance2(r2, p, b))});
    }
    return worst;
}

// Each point takes whichever of the four units around it keeps the rounded
// contour closest to the placed one, a sharp tip its tip in particular.
void Settle(const std::vector<QPointF>& q, std::vector<Cell>& cells) {
    const size_t n = q.size();
    for (int pass = 0; pass < 2; ++pass)
        for (size_t i = 0; i < n; ++i) {
            const size_t prev = (i + n - 1) % n, next = (i + 1) % n;
            const QPointF u(cells[prev].x, cells[prev].y), v(cells[next].x, cells[next].y);
            // The unit it has keeps it unless another is plainly better.
            const QPointF own(cells[i].x, cells[i].y);
            double best = cells[i] == cells[prev] || cells[i] == cells[next]
                              ? INFINITY
                              : Apart(q[prev], q[i], q[next], u, own, v) - 1e-6;
            for (int k = 0; k < 4; ++k) {
                const Cell c{int(std::clamp(std::floor(q[i].x()) + (k & 1), 0.0, 255.0)),
                             int(std::clamp(std::floor(q[i].y()) + (k >> 1), 0.0, 255.0))};
                if (c == cells[prev] || c == cells[next]) continue;
                const double apart = Apart(q[prev], q[i], q[next], u, QPointF(c.x, c.y), v);
                if (apart < best - 1e-9) {
                    best = apart;
                    cells[i] = c;
                }
            }
        }
}

}  // namespace

void RoundToField(const std::vector<QPointF>& points, Coords& X, Coords& Y) {
    std::vector<QPointF> q(size_t(kPointCount), QPointF(127, 127));
    const bool finite = std::all_of(points.begin(), points.end(), Finite);
    for (size_t i = 0; i < q.size() && finite && !points.empty(); ++i)
        q[i] = points[i * points.size() / q.size()];
    const size_t n = q.size();
    auto cell = [&](size_t i) { return CellOf(q[i % n]); };

    bool clean = false;
    for (int attempt = 0; attempt < 4 * kPointCount && !clean; ++attempt) {
        size_t i = 0;
        while (i < n && !(cell(i) == cell(i + n - 1))) ++i;
        if (i == n) {
            clean = true;
            break;
        }
        const size_t prev = (i + n - 1) % n, next = (i + 1) % n, before = (i + n - 2) % n;
        // Slide this point forward or the previous one back, whichever moves less.
        const std::optional<double> forward = Slide(q[i], q[next], cell(prev), cell(next));
        const std::optional<double> back = Slide(q[prev], q[before], cell(before), cell(i));
        const double forwardMove = forward ? *forward * Distance(q[i], q[next]) : INFINITY;
        const double backMove = back ? *back * Distance(q[prev], q[before]) : INFINITY;
        if (forward && forwardMove <= backMove) {
            q[i] += (q[next] - q[i]) * *forward;
            continue;
        }
        if (back) {
            q[prev] += (q[before] - q[prev]) * *back;
            continue;
        }
        // Drop it and split the longest step whose middle is a unit of its own.
        q.erase(q.begin() + std::ptrdiff_t(i));
        size_t split = n;
        double longest = 0;
        for (size_t j = 0; j + 1 < n; ++j) {
            const size_t k = (j + 1) % (n - 1);
            const double length = Distance(q[j], q[k]);
            const Cell middle = CellOf((q[j] + q[k]) / 2);
            if (length > longest && !(middle == CellOf(q[j])) && !(middle == CellOf(q[k]))) {
                longest = length;
                split = j;
            }
        }
        if (split == n) break;
        q.insert(q.begin() + std::ptrdiff_t(split + 1), (q[split] + q[(split + 1) % (n - 1)]) / 2);
    }
    if (q.size() != n || !clean) {
        if (q.size() != n) q.resize(n, q.back());
        RepeatEvenly(q, X, Y);
        return;
    }
    std::vector<Cell> cells(n);
    for (size_t i = 0; i < n; ++i) cells[i] = cell(i);
    Settle(q, cells);
    for (size_t i = 0; i < n; ++i) {
        X[i] = uint8_t(cells[i].x);
        Y[i] = uint8_t(cells[i].y);
    }
}

}  // namespace lp
