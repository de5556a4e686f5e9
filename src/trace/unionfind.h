// Disjoint sets (union-find, with path halving): the regions of the ink mask
// and the components joined by the route's spanning tree.
#pragma once

#include <algorithm>
#include <numeric>
#include <vector>

namespace lp {

class UnionFind {
  public:
    explicit UnionFind(size_t n) : parent_(n) { std::iota(parent_.begin(), parent_.end(), 0); }

    int find(int i) {
        while (parent_[size_t(i)] != i) i = parent_[size_t(i)] = parent_[size_t(parent_[size_t(i)])];
        return i;
    }

    // Joins the sets of a and b, the smaller root staying the root; false
    // when they were one set already.
    bool join(int a, int b) {
        a = find(a), b = find(b);
        if (a == b) return false;
        parent_[size_t(std::max(a, b))] = std::min(a, b);
        return true;
    }

  private:
    std::vector<int> parent_;
};

}  // namespace lp
