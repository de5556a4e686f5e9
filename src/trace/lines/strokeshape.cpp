#include "trace/lines/strokeshape.h"

#include <algorithm>
#include <cmath>

#include "figure/corners.h"
#include "figure/geometry.h"
#include "trace/lines/linefit.h"
#include "trace/tuning.h"

namespace lp {

namespace {

using Points = std::vector<QPointF>;

// Points one pixel apart along the line, its two ends kept.
Points Resample(const Points& line) {
    return Resampled(line, 1);
}

// Gaussian smoothing; an open run keeps its ends (odd reflection beyond them).
void Smooth(Points& p, double sigma, bool cyclic) {
    const int n = int(p.size()), r = int(std::ceil(2 * sigma));
    if (n < 3) return;
    std::vector<double> w(r + 1);
    for (int j = 0; j <= r; ++j) w[j] = std::exp(-0.5 * j * j / (sigma * sigma));
    auto at = [&](int i) -> QPointF {
        if (cyclic) return p[((i % n) + n) % n];
        if (i < 0) return 2 * p[0] - p[std::min(-i, n - 1)];
        if (i >= n) return 2 * p[n - 1] - p[std::max(2 * (n - 1) - i, 0)];
        return p[i];
    };
    Points out(p);
    for (int i = cyclic ? 0 : 1; i < (cyclic ? n : n - 1); ++i) {
        QPointF sum;
        double total = 0;
        for (int j = -r; j <= r; ++j) {
            sum += at(i + j) * w[std::abs(j)];
            total += w[std::abs(j)];
        }
        out[i] = sum / total;
    }
    p.swap(out);
}

// Starts `away` at `start`, its bent stretch (up to `cut` along it) replaced
// by the fitted curve, shifted to join `start` and the rest smoothly.
void Trim(Points& away, double cut, QPointF start, const ArmFit& fit) {
    const std::vector<double> arc = ArcLengths(away, false);
    size_t k = 1;
    while (k + 1 < away.size() && arc[k] < cut) ++k;
    away.erase(away.begin(), away.begin() + std::min(k, away.size()));
    const double u0 = fit.along(start), u1 = fit.along(away.front());
    const QPointF off0 = start - fit.at(u0), off1 = away.front() - fit.at(u1);
    const int steps = int(std::ceil(std::abs(u1 - u0)));
    Points bridge{start};
    for (int i = 1; i < steps; ++i) {
        const double t = double(i) / steps;
        bridge.push_back(fit.at(u0 + t * (u1 - u0)) + off0 * (1 - t) + off1 * t);
    }
    away.insert(away.begin(), bridge.begin(), bridge.end());
}

// How far from `from` along `dir` the ink goes on (at most `limit`).
double InkRun(const Skeleton& s, QPointF from, QPointF dir, double limit) {
    double t = 0;
    for (; t < limit; t += 0.25) {
        const QPointF q = from + dir * t;
        const int x = int(std::floor(q.x())), y = int(std::floor(q.y()));
        if (x < 0 || y < 0 || x >= s.width || y >= s.height || !s.grid[s.index(x, y)]) break;
    }
    return t;
}

// Douglas and Peucker's simplification within `tolerance`; the ends stay.
Points Simplify(const Points& p, double tolerance) {
    if (p.size() < 3) return p;
    std::vector<bool> keep(p.size(), false);
    keep.front() = keep.back() = true;
    std::vector<std::pair<size_t, size_t>> todo{{0, p.size() - 1}};
    while (!todo.empty()) {
        const auto [i, j] = todo.back();
        todo.pop_back();
        double worst = -1;
        size_t at = i;
        for (size_t k = i + 1; k < j; ++k)
            if (const double dist = LineDistance(p[k], p[i], p[j]); dist > worst) worst = dist, at = k;
        if (worst > tolerance) {
            keep[at] = true;
            todo.push_back({i, at});
            todo.push_back({at, j});
        }
    }
    Points out;
    for (size_t k = 0; k < p.size(); ++k)
        if (keep[k]) out.push_back(p[k]);
    return out;
}

// A stroke as runs between its corners: run 0 leaves node a, the last reaches node b.
using Runs = std::vector<Points>;

class Shaper {
  public:
    Shaper(StrokeGraph& g, const Skeleton& s) : g_(g), s_(s), w_(std::max(g.strokeWidth, 2.0)) {}

    void Run() {
        const auto at = g_.incidence();
        runs_.resize(g_.edges.size());
        cornerNode_.assign(g_.nodes.size(), false);
        for (int e = 0; e < int(g_.edges.size()); ++e) {
            Points p;
            for (const RoutePoint& r : g_.edges[e].pts) p.push_back(r.p);
            if (!g_.edges[e].removed) runs_[e] = {Resample(p)};
        }
        // Junctions and free ends first, so that their bent stretches are gone
        // before corners are looked for.
        for (int n = 0; n < int(g_.nodes.size()); ++n) {
            if (at[n].empty() || at[n].size() == 2) continue;
            std::vector<Arm> arms;
            for (size_t k = 0; k < at[n].size(); ++k) {
                const int e = at[n][k];
                const bool loopTwice = k > 0 && at[n][k - 1] == e;  // a closed stroke's second visit
                arms.push_back({e, 0, g_.edges[e].a == n && !loopTwice});
            }
            g_.nodes[n] = MeetArms(arms, g_.nodes[n]);
            cornerNode_[n] = true;
        }
        for (int e = 0; e < int(g_.edges.size()); ++e)
            if (!g_.edges[e].removed) Split(e, at[g_.edges[e].a].size() == 2);
        for (int e = 0; e < int(g_.edges.size()); ++e)
            if (!g_.edges[e].removed) Store(g_.edges[e], runs_[e]);
    }

  private:
    struct Arm {  // one run of a stroke, leaving a meeting point at the run's start or end
        int edge, run;
        bool atStart;
        double share = 0.5;  // of the run that may be fitted: more when its other end is in place
    };

    Points Take(const Arm& a) const {
        const Points& r = runs_[a.edge][a.run];
        return a.atStart ? r : Points(r.rbegin(), r.rend());
    }
    void Put(const Arm& a, Points p) {
        if (!a.atStart) std::reverse(p.begin(), p.end());
        runs_[a.edge][a.run] = std::move(p);
    }

    void Split(int e, bool alone) {
        auto& edge = g_.edges[e];
        Points p = Resample(runs_[e].front());
        const double sigma =
            std::clamp(w_ * kTraceTuning.smoothing, kTraceTuning.smoothingMin, kTraceTuning.smoothingMax);
        const bool closed = edge.a == edge.b && alone;  // a closed line on its own: no fixed point
        if (closed) p.pop_back();
        const CornerRule rule{kPlacementTuning.corners.angleDegrees,
                              std::max(kTraceTuning.strokeCornerSpanMin, kTraceTuning.strokeCornerSpan * w_)};
        std::vector<int> corners;
        for (const size_t i : FindCorners(p, closed, rule)) corners.push_back(int(i));
        if (closed && corners.empty()) {
            Smooth(p, sigma, true);
            p.push_back(p.front());
            g_.nodes[edge.a] = p.front();
            runs_[e] = {p};
            return;
        }
        if (closed) {  // starts and ends at a corner
            const int first = corners.front(), n = int(p.size());
            std::rotate(p.begin(), p.begin() + first, p.end());
            for (int& i : corners) i = (i - first + n) % n;
            p.push_back(p.front());
        }
        std::vector<int> cuts{0};
        for (int i : corners)
            if (i > cuts.back() && i < int(p.size()) - 1) cuts.push_back(i);
        cuts.push_back(int(p.size()) - 1);
        Runs& runs = runs_[e];
        runs.clear();
        for (size_t k = 1; k < cuts.size(); ++k) {
            runs.emplace_back(p.begin() + cuts[k - 1], p.begin() + cuts[k] + 1);
            Smooth(runs.back(), sigma, false);
        }
        const int last = int(runs.size()) - 1;
        for (int k = 1; k <= last; ++k)  // the corner before is in place, the one after not yet
            MeetArms({{e, k - 1, false, closed && k == 1 ? 0.5 : 0.9}, {e, k, true, k == last ? 0.9 : 0.5}},
                     runs[k].front());
        if (closed) {
            g_.nodes[edge.a] = MeetArms({{e, last, false, 0.9}, {e, 0, true, 0.9}}, p.front());
            cornerNode_[edge.a] = true;
        }
    }

    // Moves the meeting point of the arms to where their curves meet, cutting
    // the bent stretches next to it. A free end goes half the local stroke
    // width back from the tip of the ink, where the centre line of a round end lies.
    QPointF MeetArms(const std::vector<Arm>& arms, QPointF p0) {
        if (arms.size() > 6) return p0;  // a tangle, not a junction of strokes
        std::vector<std::optional<ArmFit>> fits;
        std::vector<ArmFit> found;
        for (const Arm& a : arms) {
            fits.push_back(FitArm(Take(a), w_, a.share));
            if (fits.back()) found.push_back(*fits.back());
        }
        const bool end = arms.size() == 1;
        if (found.size() < (end ? 1u : 2u)) return p0;
        const auto m = Meet(found, p0, w_);
        if (!m) return p0;
        QPointF to = *m;
        if (end) {
            const ArmFit& f = found[0];
            const QPointF out = -f.tangentAt(f.along(to)).d, n(-out.y(), out.x());
            const double width = InkRun(s_, to, n, 4 * w_) + InkRun(s_, to, -n, 4 * w_);
            const double shift = std::clamp(InkRun(s_, to, out, 4 * w_) - width / 2, -w_ / 2, w_ / 2);
            to += out * shift;
            fits[0]->bent = std::max(fits[0]->bent, -shift + 1);
        }
        for (size_t k = 0; k < arms.size(); ++k) {
            Points p = Take(arms[k]);
            if (fits[k])
                Trim(p, fits[k]->bent, to, *fits[k]);
            else
                p.front() = to;
            Put(arms[k], std::move(p));
        }
        return to;
    }

    void Store(StrokeGraph::Edge& e, const Runs& runs) {
        e.pts.clear();
        for (const Points& run : runs) {
            const Points p = Simplify(run, kTraceTuning.strokeSimplify);
            for (size_t k = e.pts.empty() ? 0 : 1; k < p.size(); ++k)
                e.pts.push_back({p[k], k + 1 == p.size()});
        }
        e.pts.front().corner = cornerNode_[e.a];
        e.pts.back().corner = cornerNode_[e.b];
    }

    StrokeGraph& g_;
    const Skeleton& s_;
    double w_;
    std::vector<Runs> runs_;
    std::vector<bool> cornerNode_;
};

}  // namespace

void ShapeStrokes(StrokeGraph& graph, const Skeleton& skeleton) {
    Shaper(graph, skeleton).Run();
}

}  // namespace lp
