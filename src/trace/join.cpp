// Joining loops into one route: a minimum spanning tree over the loops, whose
// edges join each pair at its nearest points, walked as an Euler tour. Every
// bridge is drawn there and back, so it looks like one thin line.
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "figure/geometry.h"
#include "figure/tuning.h"
#include "trace/route.h"

namespace lp {

namespace {

// Loops are sampled at least kSpacing densely for the nearest-pair search,
// which looks at vertices no denser; the extra points leave the route again
// unless a bridge starts there. The search takes about kMostSampled points
// at most: very long loops (a picture far larger than the field) are sampled
// more sparsely.
constexpr double kSpacing = kTraceTuning.bridgeSpacing;
constexpr double kMostSampled = kTraceTuning.bridgeSamples;

struct Points {
    std::vector<QPointF> p;
    std::vector<bool> corner, original;
    std::vector<int> loop;
    std::vector<size_t> first;  // of each loop, and the end
    // Those the nearest-pair search looks at: the sampling points and the
    // vertices at least one spacing from the last one looked at.
    std::vector<size_t> probes;

    void add(QPointF at, bool isCorner, bool isOriginal, int of, double spacing) {
        if (probes.empty() || loop[probes.back()] != of || !isOriginal ||
            Distance(p[probes.back()], at) >= spacing)
            probes.push_back(p.size());
        p.push_back(at);
        corner.push_back(isCorner);
        original.push_back(isOriginal);
        loop.push_back(of);
    }
};

Points Densify(const std::vector<const Polyline*>& loops) {
    double length = 0;
    for (const Polyline* loop : loops) length += PathLength(*loop, true);
    const double spacing = std::max(kSpacing, length / kMostSampled);
    Points points;
    for (size_t l = 0; l < loops.size(); ++l) {
        points.first.push_back(points.p.size());
        const Polyline& loop = *loops[l];
        for (size_t i = 0; i < loop.size(); ++i) {
            const QPointF a = loop[i].p, b = loop[(i + 1) % loop.size()].p;
            points.add(a, loop[i].corner, true, int(l), spacing);
            const int pieces = Pieces(a, b, spacing);
            for (int k = 1; k < pieces; ++k)
                points.add(a + (b - a) * (double(k) / pieces), false, false, int(l), spacing);
        }
    }
    points.first.push_back(points.p.size());
    return points;
}

// The points bucketed into square cells.
struct Grid {
    double x0 = 0, y0 = 0, cell = 1;
    int nx = 1, ny = 1;
    std::vector<size_t> start, items;

    Grid(const std::vector<QPointF>& p, const std::vector<size_t>& probes) {
        double x1 = p[probes[0]].x(), y1 = p[probes[0]].y();
        x0 = x1;
        y0 = y1;
        for (const size_t i : probes) {
            const QPointF q = p[i];
            x0 = std::min(x0, q.x());
            y0 = std::min(y0, q.y());
            x1 = std::max(x1, q.x());
            y1 = std::max(y1, q.y());
        }
        const double w = x1 - x0, h = y1 - y0, n = double(probes.size());
        cell = std::max({2 * std::sqrt(w * h / n), 2 * (w + h) / n, 1e-9});
        nx = std::clamp(int(w / cell) + 1, 1, 1024);
        ny = std::clamp(int(h / cell) + 1, 1, 1024);
        cell = std::max({cell, w / nx * 1.0001, h / ny * 1.0001});
        start.assign(size_t(nx) * size_t(ny) + 1, 0);
        for (const size_t i : probes) ++start[cellOf(p[i]) + 1];
        std::partial_sum(start.begin(), start.end(), start.begin());
        items.resize(probes.size());
        std::vector<size_t> fill(start.begin(), start.end() - 1);
        for (const size_t i : probes) items[fill[cellOf(p[i])]++] = i;
    }
    int column(double x) const { return std::clamp(int((x - x0) / cell), 0, nx - 1); }
    int row(double y) const { return std::clamp(int((y - y0) / cell), 0, ny - 1); }
    size_t cellOf(QPointF q) const { return size_t(row(q.y())) * size_t(nx) + size_t(column(q.x())); }
};

struct Edge {
    double length = std::numeric_limits<double>::infinity();
    size_t a = 0, b = 0;  // point indices
};

struct Components {
    std::vector<int> parent;
    explicit Components(size_t n) : parent(n) { std::iota(parent.begin(), parent.end(), 0); }
    int find(int i) {
        while (parent[size_t(i)] != i) i = parent[size_t(i)] = parent[size_t(parent[size_t(i)])];
        return i;
    }
};

// Borůvka's rounds: each component's shortest edge to another, found by
// searching the grid in growing rings around each of its points.
std::vector<Edge> SpanningTree(const Points& points, size_t loopCount) {
    const Grid grid(points.p, points.probes);
    Components components(loopCount);
    std::vector<Edge> tree;
    std::vector<int> component(loopCount);
    std::vector<int> owner(grid.start.size() - 1);
    while (tree.size() + 1 < loopCount) {
        for (size_t l = 0; l < loopCount; ++l) component[l] = components.find(int(l));
        // A cell holding one component only is passed over by that component's points.
        for (size_t c = 0; c + 1 < grid.start.size(); ++c) {
            owner[c] = -1;
            for (size_t k = grid.start[c]; k < grid.start[c + 1]; ++k) {
                const int own = component[size_t(points.loop[grid.items[k]])];
                if (k > grid.start[c] && own != owner[c]) {
                    owner[c] = -1;
                    break;
                }
                owner[c] = own;
            }
        }
        std::vector<Edge> best(loopCount);
        for (const size_t i : points.probes) {
            const int own = component[size_t(points.loop[i])];
            Edge& edge = best[size_t(own)];
            const QPointF p = points.p[i];
            const int cx = grid.column(p.x()), cy = grid.row(p.y());
            for (int r = 0; r <= std::max(grid.nx, grid.ny); ++r) {
                if ((r - 1) * grid.cell >= edge.length) break;
                // Only the ring's sides that lie in the grid are walked, so a
                // grid one cell wide and thousands tall (or the reverse) costs
                // a step or two a ring; a ring wholly outside ends the search.
                const int left = cx - r, right = cx + r, top = cy - r, bottom = cy + r;
                if (left < 0 && top < 0 && right >= grid.nx && bottom >= grid.ny) break;
                const int x0 = std::max(left, 0), x1 = std::min(right, grid.nx - 1);
                auto visit = [&](int x, int y) {
                    const size_t c = size_t(y) * size_t(grid.nx) + size_t(x);
                    if (owner[c] == own) return;
                    for (size_t k = grid.start[c]; k < grid.start[c + 1]; ++k) {
                        const size_t j = grid.items[k];
                        if (component[size_t(points.loop[j])] == own) continue;
                        const double d2 = Distance2(p, points.p[j]);
                        if (d2 < edge.length * edge.length) edge = {std::sqrt(d2), i, j};
                    }
                };
                if (top >= 0 || bottom < grid.ny)
                    for (int x = x0; x <= x1; ++x) {
                        if (top >= 0) visit(x, top);
                        if (r > 0 && bottom < grid.ny) visit(x, bottom);
                    }
                if (left >= 0 || right < grid.nx)
                    for (int y = std::max(top + 1, 0); y <= std::min(bottom - 1, grid.ny - 1); ++y) {
                        if (left >= 0) visit(left, y);
                        if (right < grid.nx) visit(right, y);
                    }
            }
        }
        std::vector<Edge> found;
        for (const Edge& edge : best)
            if (std::isfinite(edge.length)) found.push_back(edge);
        std::sort(found.begin(), found.end(),
                  [](const Edge& u, const Edge& v) { return u.length < v.length; });
        const size_t before = tree.size();
        for (const Edge& edge : found) {
            const int u = components.find(points.loop[edge.a]), v = components.find(points.loop[edge.b]);
            if (u == v) continue;
            components.parent[size_t(u)] = v;
            tree.push_back(edge);
        }
        if (tree.size() == before) break;  // cannot happen with finite points
    }
    return tree;
}

struct Tour {
    const Points& points;
    std::vector<std::vector<std::pair<size_t, size_t>>> at;  // point -> (edge, other point)
    std::vector<double> lengths;
    std::vector<std::pair<size_t, bool>> out;  // point, bridge end

    // Around the loop from `start` and back to it, crossing to each child loop
    // where its bridge starts.
    void walk(size_t start, size_t parentEdge) {
        const size_t loop = size_t(points.loop[start]);
        const size_t first = points.first[loop], n = points.first[loop + 1] - first;
        for (size_t k = 0; k < n; ++k) {
            const size_t i = first + (start - first + k) % n;
            out.push_back({i, k == 0 && parentEdge != SIZE_MAX && lengths[parentEdge] >= 1});
            for (const auto& [edge, other] : at[i]) {
                if (edge == parentEdge) continue;
                const bool visible = lengths[edge] >= 1;
                out.back().second = out.back().second || visible;
                walk(other, edge);
                out.push_back({i, visible});
            }
        }
        if (parentEdge != SIZE_MAX) out.push_back({start, lengths[parentEdge] >= 1});
    }
};

}  // namespace

JoinedRoute JoinLoops(const std::vector<Polyline>& loops) {
    JoinedRoute joined;
    std::vector<const Polyline*> kept;
    for (const Polyline& loop : loops)
        if (!loop.empty()) kept.push_back(&loop);
    // Loops beyond any field (their lengths overflow) are not joined.
    double length = 0;
    for (const Polyline* loop : kept) length += PathLength(*loop, true);
    if (!std::isfinite(length)) return joined;
    joined.loops = int(kept.size());
    if (kept.empty()) return joined;
    if (kept.size() == 1) {
        joined.route = *kept.front();
        return joined;
    }

    const Points points = Densify(kept);
    const std::vector<Edge> tree = SpanningTree(points, kept.size());
    Tour tour{points, std::vector<std::vector<std::pair<size_t, size_t>>>(points.p.size()), {}, {}};
    for (size_t e = 0; e < tree.size(); ++e) {
        tour.at[tree[e].a].push_back({e, tree[e].b});
        tour.at[tree[e].b].push_back({e, tree[e].a});
        tour.lengths.push_back(tree[e].length);
        joined.bridgeLength += tree[e].length;
    }
    tour.walk(0, SIZE_MAX);

    // The sampling points leave again unless a bridge starts there; a point
    // repeated at once (a bridge of no length) is drawn once.
    for (const auto& [i, bridgeEnd] : tour.out) {
        if (!points.original[i] && tour.at[i].empty()) continue;
        const RoutePoint point{points.p[i], points.corner[i] || bridgeEnd};
        if (!joined.route.empty() && joined.route.back().p == point.p)
            joined.route.back().corner = joined.route.back().corner || point.corner;
        else
            joined.route.push_back(point);
    }
    while (joined.route.size() > 1 && joined.route.back().p == joined.route.front().p) {
        joined.route.front().corner = joined.route.front().corner || joined.route.back().corner;
        joined.route.pop_back();
    }
    return joined;
}

}  // namespace lp
