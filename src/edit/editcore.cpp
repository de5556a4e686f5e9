#include "edit/editcore.h"

#include <algorithm>
#include <cstdlib>

namespace lp {

namespace {

bool InReach(uint8_t x, uint8_t y, uint8_t fx, uint8_t fy) {
    return std::abs(int(x) - int(fx)) <= kSearchReach && std::abs(int(y) - int(fy)) <= kSearchReach;
}

// Shifts the selected coordinates and the interval [lo, hi] by `delta` units,
// one unit at a time: the interval stops at 0 / 255 and each coordinate stops
// at 0 / 255 on its own. The steps are counted up front, which gives the same
// result as stepping one unit after another.
void Shift(int& lo, int& hi, Coords& v, const Coords& mask, int delta) {
    if (delta < 0) {
        const int steps = std::min(-delta, std::max(lo, 0));
        if (steps == 0) return;
        lo -= steps;
        hi -= steps;
        for (int i = 0; i < kPointCount; ++i) {
            if (mask[i] == 1) v[i] = uint8_t(std::max(int(v[i]) - steps, 0));
        }
    } else if (delta > 0) {
        const int steps = std::min(delta, std::max(255 - hi, 0));
        if (steps == 0) return;
        lo += steps;
        hi += steps;
        for (int i = 0; i < kPointCount; ++i) {
            if (mask[i] == 1) v[i] = uint8_t(std::min(int(v[i]) + steps, 255));
        }
    }
}

}  // namespace

int FieldFromPixel(int p) {
    return std::clamp(p / 2, 0, 255);
}

int SearchPoint(const Coords& X, const Coords& Y, uint8_t fx, uint8_t fy, bool half128, bool directDown) {
    const int last = half128 ? 127 : 255;
    if (directDown) {
        // Visited from the top down, the last match is the lowest index.
        for (int i = 0; i <= last; ++i) {
            if (InReach(X[i], Y[i], fx, fy)) return i;
        }
    } else {
        for (int i = last; i >= 0; --i) {
            if (InReach(X[i], Y[i], fx, fy)) return i;
        }
    }
    return -1;
}

void SelectArea(EditorState& s, const Coords& X, const Coords& Y, Coords& SelectMask) {
    if (s.AreaX1 > s.AreaX2) std::swap(s.AreaX1, s.AreaX2);
    if (s.AreaY1 > s.AreaY2) std::swap(s.AreaY1, s.AreaY2);
    for (int i = 0; i < kPointCount; ++i) {
        const bool inside = s.AreaX1 <= X[i] && X[i] <= s.AreaX2 && s.AreaY1 <= Y[i] && Y[i] <= s.AreaY2;
        SelectMask[i] = inside ? 1 : 0;
    }
}

void SdvigXY(EditorState& s, Coords& X, Coords& Y, const Coords& SelectMask, int fx, int fy) {
    MoveSelection(s, X, Y, SelectMask, fx - s.DragStartX, fy - s.DragStartY);
    s.DragStartX = fx;
    s.DragStartY = fy;
}

void MoveSelection(EditorState& s, Coords& X, Coords& Y, const Coords& SelectMask, int dx, int dy) {
    Shift(s.AreaX1, s.AreaX2, X, SelectMask, dx);
    Shift(s.AreaY1, s.AreaY2, Y, SelectMask, dy);
}

void NudgePoint(Coords& X, Coords& Y, int c, int dx, int dy) {
    if (c < 0 || c >= kPointCount) return;
    X[c] = uint8_t(std::clamp(X[c] + dx, 0, 255));
    Y[c] = uint8_t(std::clamp(Y[c] + dy, 0, 255));
}

bool FigureChanged(const FigureData& d) {
    return d.FigureX != d.LastX || d.FigureY != d.LastY;
}

void TakeLastCopy(FigureData& d) {
    d.LastX = d.FigureX;
    d.LastY = d.FigureY;
}

}  // namespace lp
