// Joining loops into one route: a minimum spanning tree over the loops, whose
// edges join each pair at its nearest points, walked as an Euler tour. Every
// bridge is drawn there and back, so it looks like one thin line.
#include "trace/route/join.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "figure/geometry.h"
#include "trace/tuning.h"
#include "trace/unionfind.h"

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

struct Edge {
    double length = std::numeric_limits<double>::infinity();
    size_t a = SIZE_MAX, b = 0;  // point indices; a is SIZE_MAX until one is found
    bool found() const { return a != SIZE_MAX; }
};

// A k-d tree over the probes. Each node holds a run of `order` and the box
// around it, and, for each round, the one component all its points belong
// to (-1: several): a search for another component passes over the nodes
// wholly its own. Unlike a grid of even cells it does not crowd a dense
// cluster into one cell when a few points lie far off.
class ProbeTree {
  public:
    ProbeTree(const Points& points) : points_(points), order_(points.probes) {
        nodes_.reserve(2 * order_.size() / kLeaf + 2);
        build(0, order_.size());
        at_.reserve(order_.size());
        for (const size_t i : order_) at_.push_back(points.p[i]);
        of_.resize(order_.size());
    }

    // Each node's component, the leaves up.
    void label(const std::vector<int>& component) {
        for (size_t k = 0; k < order_.size(); ++k) of_[k] = component[size_t(points_.loop[order_[k]])];
        for (size_t n = nodes_.size(); n-- > 0;) {
            Node& node = nodes_[n];
            if (node.left >= 0) {
                const int a = nodes_[size_t(node.left)].component, b = nodes_[size_t(node.right)].component;
                node.component = a == b ? a : -1;
                continue;
            }
            node.component = of_[node.begin];
            for (size_t k = node.begin + 1; k < node.end; ++k)
                if (of_[k] != node.component) node.component = -1;
        }
    }

    // Shortens each component's edge in `best` to its nearest point of
    // another component. The search runs once for each leaf and component in
    // it, for all the leaf's points of that component together.
    void nearest(std::vector<Edge>& best) const {
        for (const Node& leaf : nodes_) {
            if (leaf.left >= 0) continue;
            for (size_t k = leaf.begin; k < leaf.end; ++k) {
                const int own = of_[k];
                // Searched for already at an earlier point of the leaf?
                if (std::find(of_.begin() + std::ptrdiff_t(leaf.begin), of_.begin() + std::ptrdiff_t(k),
                              own) == of_.begin() + std::ptrdiff_t(k))
                    search(0, 0, leaf, own, best[size_t(own)]);
            }
        }
    }

  private:
    static constexpr size_t kLeaf = 8;
    struct Node {
        double x0, y0, x1, y1;
        size_t begin, end;
        int left = -1, right = -1;
        int component = -1;
    };

    // The squared distance between two nodes' boxes.
    static double Gap2(const Node& a, const Node& b) {
        const double dx = std::max(std::max(a.x0 - b.x1, b.x0 - a.x1), 0.0);
        const double dy = std::max(std::max(a.y0 - b.y1, b.y0 - a.y1), 0.0);
        return dx * dx + dy * dy;
    }

    int build(size_t begin, size_t end) {
        const int at = int(nodes_.size());
        Node node{INFINITY, INFINITY, -INFINITY, -INFINITY, begin, end};
        for (size_t k = begin; k < end; ++k) {
            const QPointF q = points_.p[order_[k]];
            node.x0 = std::min(node.x0, q.x()), node.y0 = std::min(node.y0, q.y());
            node.x1 = std::max(node.x1, q.x()), node.y1 = std::max(node.y1, q.y());
        }
        nodes_.push_back(node);
        if (end - begin <= kLeaf) return at;
        const bool across = node.x1 - node.x0 >= node.y1 - node.y0;
        const size_t middle = begin + (end - begin) / 2;
        std::nth_element(order_.begin() + std::ptrdiff_t(begin), order_.begin() + std::ptrdiff_t(middle),
                         order_.begin() + std::ptrdiff_t(end), [&](size_t a, size_t b) {
                             return across ? points_.p[a].x() < points_.p[b].x()
                                           : points_.p[a].y() < points_.p[b].y();
                         });
        const int left = build(begin, middle), right = build(middle, end);
        nodes_[size_t(at)].left = left;
        nodes_[size_t(at)].right = right;
        return at;
    }

    // From the points of component `own` in leaf `from`; `gap2`: node n's
    // squared distance from it.
    void search(int n, double gap2, const Node& from, int own, Edge& edge) const {
        const Node& node = nodes_[size_t(n)];
        if (node.component == own || (edge.found() && gap2 >= edge.length * edge.length)) return;
        if (node.left < 0) {
            for (size_t k = node.begin; k < node.end; ++k) {
                if (of_[k] == own) continue;
                for (size_t m = from.begin; m < from.end; ++m) {
                    if (of_[m] != own) continue;
                    const double d2 = Distance2(at_[m], at_[k]);
                    if (!edge.found() || d2 < edge.length * edge.length)
                        edge = {std::sqrt(d2), order_[m], order_[k]};
                }
            }
            return;
        }
        // The nearer side first, so that the farther one is often passed over.
        int first = node.left, second = node.right;
        double near2 = Gap2(nodes_[size_t(first)], from), far2 = Gap2(nodes_[size_t(second)], from);
        if (far2 < near2) std::swap(first, second), std::swap(near2, far2);
        search(first, near2, from, own, edge);
        search(second, far2, from, own, edge);
    }

    const Points& points_;
    std::vector<size_t> order_;  // the probes, each node's a run of them
    std::vector<QPointF> at_;    // their points, in that order
    std::vector<int> of_;        // their components in this round, in that order
    std::vector<Node> nodes_;
};

// Borůvka's rounds: each component's shortest edge to another.
std::vector<Edge> SpanningTree(const Points& points, size_t loopCount) {
    ProbeTree probes(points);
    UnionFind components(loopCount);
    std::vector<Edge> tree;
    std::vector<int> component(loopCount);
    while (tree.size() + 1 < loopCount) {
        for (size_t l = 0; l < loopCount; ++l) component[l] = components.find(int(l));
        probes.label(component);
        std::vector<Edge> best(loopCount);
        probes.nearest(best);
        std::vector<Edge> found;
        for (const Edge& edge : best)
            if (edge.found()) found.push_back(edge);
        std::sort(found.begin(), found.end(),
                  [](const Edge& u, const Edge& v) { return u.length < v.length; });
        const size_t before = tree.size();
        for (const Edge& edge : found) {
            if (components.join(points.loop[edge.a], points.loop[edge.b])) tree.push_back(edge);
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
