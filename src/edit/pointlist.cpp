#include "edit/pointlist.h"

#include <algorithm>

namespace lp {

namespace {

// Index of the first point that no longer shifts on insert or delete.
constexpr int kLastShifting = 253;
constexpr int kNormalPasses = 11;

// Pulls b to within d of a.
inline uint8_t Pull(uint8_t a, uint8_t b, int d) {
    if (b + d < a) return uint8_t(a - d);
    if (a + d < b) return uint8_t(a + d);
    return b;
}

}  // namespace

void InsertPoint(Coords& X, Coords& Y, int c, int offset) {
    if (c < 0 || c >= kPointCount) return;
    if (c < kLastShifting) {
        std::copy_backward(X.begin() + c, X.end() - 1, X.end());
        std::copy_backward(Y.begin() + c, Y.end() - 1, Y.end());
    }
    const int shift = offset - kInsertOffsetZero;
    X[c] = uint8_t(X[c] + shift);
    Y[c] = uint8_t(Y[c] + shift);
}

void DeletePoint(Coords& X, Coords& Y, int c) {
    if (c < 0 || c >= kLastShifting) return;
    std::copy(X.begin() + c + 1, X.end(), X.begin() + c);
    std::copy(Y.begin() + c + 1, Y.end(), Y.begin() + c);
}

void RotatePoints(Coords& X, Coords& Y, bool forward) {
    if (forward) {
        std::rotate(X.begin(), X.begin() + 1, X.end());
        std::rotate(Y.begin(), Y.begin() + 1, Y.end());
    } else {
        std::rotate(X.begin(), X.end() - 1, X.end());
        std::rotate(Y.begin(), Y.end() - 1, Y.end());
    }
}

void NormalAxis(Coords& v, int d) {
    for (int pass = 0; pass < kNormalPasses; ++pass) {
        bool changed = false;
        uint8_t a = v[0];
        for (int i = 1; i < kPointCount; ++i) {
            const uint8_t b = Pull(a, v[i], d);
            changed |= b != v[i];
            a = v[i] = b;
        }
        const uint8_t first = Pull(a, v[0], d);
        changed |= first != v[0];
        v[0] = first;
        // A pass that changes nothing leaves the next one the same figure.
        if (!changed) break;
    }
}

void NormalPoints(Coords& X, Coords& Y, int d) {
    NormalAxis(X, d);
    NormalAxis(Y, d);
}

}  // namespace lp
