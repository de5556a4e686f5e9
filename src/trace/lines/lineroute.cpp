#include "trace/lines/lineroute.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <queue>

#include "trace/lines/strokeshape.h"
#include "trace/lines/thinning.h"
#include "trace/tuning.h"

namespace lp {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr size_t kMaxPaired = 200;  // odd junctions paired by short paths in one drawing, at most

// Pairs 0..k-1 (k even) for the least total cost: exact up to 16, else the
// nearest pairs first, improved by exchanging partners between two pairs.
std::vector<std::pair<int, int>> Pairing(const std::vector<std::vector<double>>& cost) {
    const int k = int(cost.size());
    std::vector<std::pair<int, int>> pairs;
    if (k <= 16) {
        std::vector<double> best(size_t(1) << k, kInf);
        std::vector<int> partner(best.size(), -1);
        best[0] = 0;
        for (unsigned mask = 1; mask < best.size(); ++mask) {
            if (std::popcount(mask) % 2) continue;
            const int i = std::countr_zero(mask);
            for (int j = i + 1; j < k; ++j)
                if ((mask >> j) & 1) {
                    const double c = best[mask & ~(1u << i) & ~(1u << j)] + cost[i][j];
                    if (c < best[mask]) best[mask] = c, partner[mask] = j;
                }
        }
        for (unsigned mask = unsigned(best.size()) - 1; mask;) {
            const int i = std::countr_zero(mask), j = partner[mask];
            pairs.push_back({i, j});
            mask &= ~(1u << i) & ~(1u << j);
        }
        return pairs;
    }
    std::vector<std::pair<int, int>> order;
    for (int i = 0; i < k; ++i)
        for (int j = i + 1; j < k; ++j) order.push_back({i, j});
    std::sort(order.begin(), order.end(),
              [&](auto x, auto y) { return cost[x.first][x.second] < cost[y.first][y.second]; });
    std::vector<bool> used(k, false);
    for (const auto& [i, j] : order)
        if (!used[i] && !used[j]) {
            used[i] = used[j] = true;
            pairs.push_back({i, j});
        }
    auto c = [&](int i, int j) { return cost[i][j]; };
    for (int pass = 0, better = 1; better && pass < 20; ++pass) {
        better = 0;
        for (auto& p : pairs)
            for (auto& q : pairs) {
                const double now = c(p.first, p.second) + c(q.first, q.second);
                if (c(p.first, q.first) + c(p.second, q.second) < now - 1e-9) {
                    std::swap(p.second, q.first);
                    better = 1;
                } else if (c(p.first, q.second) + c(p.second, q.first) < now - 1e-9) {
                    std::swap(p.second, q.second);
                    better = 1;
                }
            }
    }
    return pairs;
}

// Walks over the drawings of a graph. Work arrays span the whole graph and
// are set back after each drawing, so many small drawings cost no more than one.
class Walker {
  public:
    explicit Walker(const StrokeGraph& g)
        : g_(g),
          at_(g.incidence()),
          dist_(g.nodes.size(), kInf),
          via_(g.nodes.size(), -1),
          local_(g.nodes.size(), -1),
          next_(g.nodes.size(), 0),
          out_(g.nodes.size()) {
        for (const auto& e : g.edges) length_.push_back(e.removed ? 0 : e.length());
    }

    std::vector<Polyline> Run() {
        std::vector<Polyline> loops;
        std::vector<bool> seen(g_.edges.size(), false);
        for (int root = 0; root < int(g_.nodes.size()); ++root) {
            if (local_[root] >= 0 || at_[root].empty()) continue;
            std::vector<int> nodes{root}, walked, odd;
            local_[root] = 0;
            for (size_t k = 0; k < nodes.size(); ++k)
                for (int e : at_[nodes[k]]) {
                    if (!seen[e]) seen[e] = true, walked.push_back(e);
                    for (int m : {g_.edges[e].a, g_.edges[e].b})
                        if (local_[m] < 0) local_[m] = int(nodes.size()), nodes.push_back(m);
                }
            int start = root;
            for (int n : nodes) {
                if (at_[n].size() % 2) odd.push_back(n);
                if (at_[n].size() == 1) start = n;
            }
            if (odd.size() > kMaxPaired) {  // a tangle: every stroke there and back
                walked.insert(walked.end(), walked.begin(), walked.end());
                odd.clear();
            }
            AddPairingPaths(nodes, odd, walked);
            loops.push_back(Circuit(walked, start));
        }
        return loops;
    }

  private:
    // Adds to `walked` the shortest paths that pair up the odd nodes for the least length.
    void AddPairingPaths(const std::vector<int>& nodes, const std::vector<int>& odd,
                         std::vector<int>& walked) {
        std::vector<std::vector<double>> cost(odd.size());
        std::vector<std::vector<int>> via(odd.size());  // by local node index
        for (size_t i = 0; i < odd.size(); ++i) {
            Dijkstra(odd[i]);
            for (int m : odd) cost[i].push_back(dist_[m]);
            for (int n : nodes) via[i].push_back(via_[n]), dist_[n] = kInf, via_[n] = -1;
        }
        // Paths that overlap (a greedy pairing) cancel out pairwise on the
        // strokes they share: the same odd nodes, no stroke walked thrice.
        std::vector<int> added;
        for (const auto& [i, j] : Pairing(cost))
            for (int n = odd[j]; n != odd[i];) {
                const int e = via[i][local_[n]];
                added.push_back(e);
                n = g_.edges[e].a == n ? g_.edges[e].b : g_.edges[e].a;
            }
        std::sort(added.begin(), added.end());
        for (size_t k = 0; k < added.size(); ++k)
            if (k + 1 < added.size() && added[k + 1] == added[k])
                ++k;
            else
                walked.push_back(added[k]);
    }

    void Dijkstra(int from) {
        using Item = std::pair<double, int>;
        std::priority_queue<Item, std::vector<Item>, std::greater<>> queue;
        dist_[from] = 0;
        queue.push({0, from});
        while (!queue.empty()) {
            const auto [d, n] = queue.top();
            queue.pop();
            if (d > dist_[n]) continue;
            for (int e : at_[n]) {
                const int m = g_.edges[e].a == n ? g_.edges[e].b : g_.edges[e].a;
                if (d + length_[e] < dist_[m]) {
                    dist_[m] = d + length_[e];
                    via_[m] = e;
                    queue.push({dist_[m], m});
                }
            }
        }
    }

    // The Euler circuit (Hierholzer) over the strokes in `walked` (a stroke
    // walked twice listed twice), from node `start`.
    Polyline Circuit(const std::vector<int>& walked, int start) {
        for (int k = 0; k < int(walked.size()); ++k) {
            out_[g_.edges[walked[k]].a].push_back(k);
            out_[g_.edges[walked[k]].b].push_back(k);
        }
        std::vector<bool> used(walked.size(), false);
        std::vector<std::pair<int, int>> stack{{start, -1}}, steps;  // node, pass that reached it
        while (!stack.empty()) {
            const int n = stack.back().first;
            auto& out = out_[n];
            while (next_[n] < out.size() && used[out[next_[n]]]) ++next_[n];
            if (next_[n] == out.size()) {
                steps.push_back(stack.back());
                stack.pop_back();
                continue;
            }
            const int k = out[next_[n]];
            used[k] = true;
            const auto& e = g_.edges[walked[k]];
            stack.push_back({e.a == n ? e.b : e.a, k});
        }
        std::reverse(steps.begin(), steps.end());
        Polyline route;
        for (size_t s = 1; s < steps.size(); ++s) {
            const auto& e = g_.edges[walked[steps[s].second]];
            const int from = steps[s - 1].first;
            out_[from].clear(), next_[from] = 0;
            if (e.a == from)
                route.insert(route.end(), e.pts.begin() + (route.empty() ? 0 : 1), e.pts.end());
            else
                route.insert(route.end(), e.pts.rbegin() + (route.empty() ? 0 : 1), e.pts.rend());
        }
        if (route.size() > 1) route.pop_back();  // back at the start
        return route;
    }

    const StrokeGraph& g_;
    const std::vector<std::vector<int>> at_;
    std::vector<double> length_, dist_;
    std::vector<int> via_, local_;
    std::vector<size_t> next_;
    std::vector<std::vector<int>> out_;
};

}  // namespace

std::vector<Polyline> CoverStrokes(const StrokeGraph& g) {
    std::vector<Polyline> loops = Walker(g).Run();
    for (const auto& dot : g.dots) {
        Polyline ring;
        for (int k = 0; k < 8; ++k) {
            const double a = k * M_PI / 4;
            ring.push_back({dot.centre + dot.radius * QPointF(std::cos(a), std::sin(a))});
        }
        loops.push_back(std::move(ring));
    }
    return loops;
}

std::vector<Polyline> LineLoops(const InkMask& mask, double minSpurPx) {
    const Skeleton skeleton = ThinInk(mask);
    StrokeGraph g = BuildStrokeGraph(skeleton);
    PruneSpurs(g, minSpurPx >= 0 ? minSpurPx : kTraceTuning.spurWidths * g.strokeWidth);
    ShapeStrokes(g, skeleton);
    return CoverStrokes(g);
}

InkMask WithoutSpecks(const InkMask& mask, double minPixels) {
    InkMask out = mask;
    if (minPixels <= 1) return out;
    std::vector<uint8_t> seen(mask.ink.size(), 0);
    std::vector<int> piece;
    for (int start = 0; start < int(mask.ink.size()); ++start) {
        if (!mask.ink[start] || seen[start]) continue;
        piece.assign(1, start);
        seen[start] = 1;
        for (size_t k = 0; k < piece.size(); ++k) {
            const int x = piece[k] % mask.width, y = piece[k] / mask.width;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy, j = ny * mask.width + nx;
                    if (nx < 0 || ny < 0 || nx >= mask.width || ny >= mask.height || !mask.ink[j] || seen[j])
                        continue;
                    seen[j] = 1;
                    piece.push_back(j);
                }
        }
        if (double(piece.size()) < minPixels)
            for (int i : piece) out.ink[i] = 0;
    }
    return out;
}

QRect InkBounds(const InkMask& mask) {
    int x0 = mask.width, y0 = mask.height, x1 = -1, y1 = -1;
    for (int y = 0; y < mask.height; ++y) {
        const uint8_t* row = mask.ink.data() + size_t(y) * mask.width;
        const auto first = std::find(row, row + mask.width, 1);
        if (first == row + mask.width) continue;
        int last = mask.width - 1;
        while (!row[last]) --last;
        x0 = std::min(x0, int(first - row));
        x1 = std::max(x1, last);
        y0 = std::min(y0, y), y1 = y;
    }
    return x1 < 0 ? QRect() : QRect(QPoint(x0, y0), QPoint(x1, y1));
}

}  // namespace lp
