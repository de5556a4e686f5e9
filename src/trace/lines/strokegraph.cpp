#include "trace/lines/strokegraph.h"

#include <algorithm>
#include <bit>

#include "trace/lines/linefit.h"

namespace lp {

double StrokeGraph::Edge::length() const {
    return PathLength(pts, false);
}

std::vector<std::vector<int>> StrokeGraph::incidence() const {
    std::vector<std::vector<int>> at(nodes.size());
    for (int e = 0; e < int(edges.size()); ++e) {
        if (edges[e].removed) continue;
        at[edges[e].a].push_back(e);
        at[edges[e].b].push_back(e);
    }
    return at;
}

namespace {

class GraphBuilder {
  public:
    explicit GraphBuilder(const Skeleton& s) : s_(s), visited_(s.grid.size(), 0), nodeOf_(s.grid.size(), -1) {
        const int st = s.stride;
        off_ = {-st, -st + 1, 1, st + 1, st, st - 1, -1, -st - 1};
    }

    StrokeGraph Build() {
        g_.strokeWidth = s_.strokeWidth;
        std::vector<int> line;
        for (int y = 0; y < s_.height; ++y)
            for (int x = 0; x < s_.width; ++x) {
                const int i = s_.index(x, y);
                if (!s_.on(i)) continue;
                const int degree = std::popcount(s_.ring(i));
                if (degree == 0)
                    g_.dots.push_back({Centre(i), std::max(1.0, 0.5 * s_.halfWidth(i))});
                else if (degree == 1)
                    Mark(i, AddNode(Centre(i)));
                else if (degree >= 3 && nodeOf_[i] < 0)
                    AddJunction(i);
                else if (degree == 2)
                    line.push_back(i);
            }
        for (size_t k = 0; k < nodePixels_.size(); ++k) WalkFrom(nodePixels_[k], nodeOf_[nodePixels_[k]]);
        for (int i : line)  // what is left lies on closed lines without junctions
            if (!visited_[i]) {
                Mark(i, AddNode(Centre(i)));
                WalkFrom(i, nodeOf_[i]);
            }
        return std::move(g_);
    }

  private:
    void Mark(int pixel, int node) {
        nodeOf_[pixel] = node;
        nodePixels_.push_back(pixel);
    }

    QPointF Centre(int i) const { return {s_.xOf(i) + 0.5, s_.yOf(i) + 0.5}; }

    int AddNode(QPointF p) {
        g_.nodes.push_back(p);
        return int(g_.nodes.size()) - 1;
    }

    // Touching junction pixels form one node at their mean, within two pixels
    // of the first one: a tangle gives many small nodes, not one wide one.
    void AddJunction(int first) {
        const int node = AddNode({});
        std::vector<int> cluster{first};
        Mark(first, node);
        QPointF sum;
        for (size_t k = 0; k < cluster.size(); ++k) {
            sum += Centre(cluster[k]);
            for (int o : off_) {
                const int j = cluster[k] + o;
                const bool near =
                    std::abs(s_.xOf(j) - s_.xOf(first)) <= 2 && std::abs(s_.yOf(j) - s_.yOf(first)) <= 2;
                if (near && s_.on(j) && std::popcount(s_.ring(j)) >= 3 && nodeOf_[j] < 0) {
                    Mark(j, node);
                    cluster.push_back(j);
                }
            }
        }
        g_.nodes[node] = sum / double(cluster.size());
    }

    void AddEdge(int a, int b, const std::vector<int>& pixels) {
        StrokeGraph::Edge e;
        e.a = a;
        e.b = b;
        for (int i : pixels) e.pts.push_back({Centre(i)});
        e.pts.front().p = g_.nodes[a];
        e.pts.back().p = g_.nodes[b];
        g_.edges.push_back(std::move(e));
    }

    // Follows every line leaving node pixel `start` to the node at its other end.
    void WalkFrom(int start, int node) {
        for (int o : off_) {
            const int first = start + o;
            if (!s_.on(first)) continue;
            if (nodeOf_[first] >= 0) {
                if (nodeOf_[first] != node && first > start) AddEdge(node, nodeOf_[first], {start, first});
                continue;
            }
            if (visited_[first]) continue;
            std::vector<int> run{start, first};
            visited_[first] = 1;
            for (int prev = start, cur = first;;) {
                int next = -1;
                for (int o2 : off_) {
                    const int j = cur + o2;
                    if (j != prev && s_.on(j) && (nodeOf_[j] >= 0 || !visited_[j])) {
                        next = j;
                        break;
                    }
                }
                if (next < 0) next = start;  // a closed line back at its own node
                run.push_back(next);
                if (nodeOf_[next] >= 0) {
                    AddEdge(node, nodeOf_[next], run);
                    break;
                }
                visited_[next] = 1;
                prev = cur;
                cur = next;
            }
        }
    }

    const Skeleton& s_;
    std::vector<uint8_t> visited_;
    std::array<int, 8> off_;
    std::vector<int> nodeOf_;  // the node of each node pixel, else -1
    std::vector<int> nodePixels_;
    StrokeGraph g_;
};

int Other(const StrokeGraph::Edge& e, int node) {
    return e.a == node ? e.b : e.a;
}

// Joins the two strokes at every node that has exactly two.
void MergeThroughNodes(StrokeGraph& g) {
    auto at = g.incidence();
    for (int n = 0; n < int(g.nodes.size()); ++n) {
        if (at[n].size() != 2 || at[n][0] == at[n][1]) continue;
        const int keep = at[n][0], drop = at[n][1];
        StrokeGraph::Edge first = g.edges[keep], second = g.edges[drop];
        if (first.b != n) {
            std::reverse(first.pts.begin(), first.pts.end());
            std::swap(first.a, first.b);
        }
        if (second.a != n) {
            std::reverse(second.pts.begin(), second.pts.end());
            std::swap(second.a, second.b);
        }
        first.pts.insert(first.pts.end(), second.pts.begin() + 1, second.pts.end());
        first.b = second.b;
        std::replace(at[first.b].begin(), at[first.b].end(), drop, keep);
        at[n].clear();
        g.edges[keep] = std::move(first);
        g.edges[drop].removed = true;
    }
}

// The points of edge e leaving node n.
std::vector<QPointF> Leaving(const StrokeGraph::Edge& e, int n) {
    std::vector<QPointF> out;
    for (const RoutePoint& r : e.pts) out.push_back(r.p);
    if (e.a != n) std::reverse(out.begin(), out.end());
    return out;
}

// Whether the spur at junction n is the tip of a sharp corner: thinning forks
// there, and the two other strokes' lines meet at the spur's end.
bool CornerTip(const StrokeGraph& g, int n, int spur, const std::vector<int>& at) {
    std::vector<ArmFit> arms;
    for (int e : at)
        if (e != spur)
            if (auto fit = FitArm(Leaving(g.edges[e], n), g.strokeWidth)) arms.push_back(*fit);
    if (arms.size() != 2) return false;
    const auto& e = g.edges[spur];
    const QPointF end = g.nodes[e.a == n ? e.b : e.a];
    const auto tip = Meet(arms, end, g.strokeWidth);
    return tip && Distance(*tip, end) <= std::max(0.5 * g.strokeWidth, 2.0);
}

}  // namespace

StrokeGraph BuildStrokeGraph(const Skeleton& skeleton) {
    return GraphBuilder(skeleton).Build();
}

void PruneSpurs(StrokeGraph& g, double minLength) {
    for (bool changed = true; changed;) {
        changed = false;
        const auto at = g.incidence();
        for (int n = 0; n < int(g.nodes.size()); ++n) {
            if (at[n].size() < 3) continue;
            std::vector<int> spurs;
            for (int e : at[n]) {
                const auto& edge = g.edges[e];
                const bool loop = edge.a == edge.b;
                const bool toEnd = !loop && at[Other(edge, n)].size() == 1;
                if ((loop || toEnd) && edge.length() < minLength)
                    spurs.push_back(e);
                else if (toEnd && at[n].size() == 3 && CornerTip(g, n, e, at[n]))
                    spurs.push_back(e);
            }
            std::sort(spurs.begin(), spurs.end());
            spurs.erase(std::unique(spurs.begin(), spurs.end()), spurs.end());
            if (spurs.empty()) continue;
            int kept = int(at[n].size());
            for (int e : spurs) kept -= g.edges[e].a == g.edges[e].b ? 2 : 1;
            if (kept < 1) {  // all whiskers: the longest stays
                auto longest = std::max_element(spurs.begin(), spurs.end(), [&](int x, int y) {
                    return g.edges[x].length() < g.edges[y].length();
                });
                spurs.erase(longest);
            }
            for (int e : spurs) g.edges[e].removed = true;
            changed = changed || !spurs.empty();
        }
        MergeThroughNodes(g);
    }
}

}  // namespace lp
