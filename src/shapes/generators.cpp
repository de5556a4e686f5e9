#include "shapes/generators.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lp {

// The placement depends on extended precision: the computed 180 degrees lies just past pi,
// 360 just past 2 pi, and the ceiling turns those tiny sines into 0 and 1.
static_assert(std::numeric_limits<long double>::digits == 64, "long double must be the 80-bit type");

namespace {

constexpr long double DegToRad = 3.14159265358979323846264338327950288L / 180.0L;

uint8_t CeilOffset(long double unit, uint8_t size) {
    return OffsetToCoord(static_cast<int>(std::ceil(unit * size / 2.0L)));
}

void SetPoint(Coords& X, Coords& Y, int i, int x, int y) {
    X[i] = static_cast<uint8_t>(x);
    Y[i] = static_cast<uint8_t>(y);
}

}  // namespace

BytePoint Sinus(int32_t angle, uint8_t sizeA, uint8_t sizeB) {
    const long double theta = static_cast<long double>(angle) * DegToRad;
    return {CeilOffset(std::sin(theta), sizeA), CeilOffset(std::cos(theta), sizeB)};
}

void GreateCucle(Coords& X, Coords& Y, uint8_t sx, uint8_t sy, int32_t opt, int32_t mode, bool half) {
    if (half) {
        for (int i = 0; i < 128; ++i) {
            const BytePoint p = Sinus(opt + (i + 1) * mode, sx, sy);
            X[i] = p.x;
            Y[i] = p.y;
        }
        return;
    }
    int32_t a = 1;
    for (int i = 0; i < PointCount; ++i) {
        if (a <= 360) a += (i % 2 == 0) ? 2 : 1;
        X[i] = Sinus(a, sx, sy).x;
        Y[i] = Sinus((opt + a) * (2 * mode - 1), sx, sy).y;
    }
}

void GreateBegin(Coords& X, Coords& Y) {
    for (int k = 0; k <= 62; ++k) SetPoint(X, Y, k, 2, 250 - 4 * k);
    SetPoint(X, Y, 63, 2, 2);
    for (int k = 64; k <= 126; ++k) SetPoint(X, Y, k, 2 + 4 * (k - 64), 2);
    SetPoint(X, Y, 127, 250, 2);
    for (int k = 128; k <= 191; ++k) SetPoint(X, Y, k, 254, 2 + 4 * (k - 128));
    for (int k = 192; k <= 254; ++k) SetPoint(X, Y, k, 1018 - 4 * k, 254);
    SetPoint(X, Y, 255, 2, 254);
}

void GreateLines(Coords& X, Coords& Y, uint8_t sx) {
    for (int i = 0; i < PointCount; ++i) SetPoint(X, Y, i, i, sx);
}

void GreateLinesV(Coords& X, Coords& Y, uint8_t sx) {
    for (int i = 0; i < PointCount; ++i) SetPoint(X, Y, i, sx, i);
}

void GreatePoints(Coords& X, Coords& Y) {
    X.fill(127);
    Y.fill(127);
}

void GreateStars(Coords& X, Coords& Y) {
    struct Leg {
        int last, dx, dy;
    };
    static constexpr Leg Legs[] = {{31, 2, -1},  {63, 1, -2},  {95, 1, 2},    {127, 2, 1},
                                   {159, -2, 1}, {191, -1, 2}, {222, -1, -2}, {254, -2, -1}};
    SetPoint(X, Y, 0, 32, 127);
    int i = 1;
    for (const Leg& leg : Legs) {
        for (; i <= leg.last; ++i) SetPoint(X, Y, i, X[i - 1] + leg.dx, Y[i - 1] + leg.dy);
    }
    SetPoint(X, Y, 255, 32, 127);
}

bool GreateCorner(Coords& X, Coords& Y, Corners& c, uint8_t sx, uint8_t sy, int32_t opt, int32_t m,
                  bool& LinesFlag) {
    m = std::clamp(m, 1, MaxCorners);
    const int32_t start = opt - 1;
    const int32_t step = 360 / m;
    for (int k = 0; k < m; ++k) {
        const BytePoint p = Sinus(start + k * step, sx, sy);
        c.CornerX[k] = p.x;
        c.CornerY[k] = p.y;
    }
    c.CornerX[m] = c.CornerX[0];
    c.CornerY[m] = c.CornerY[0];
    const bool ok = ArrayLines(X, Y, c, static_cast<uint8_t>(m), LinesFlag);
    // Sides that end short of 63 leave the rest of the outline on their last point.
    const int last = LastPolygonPoint(m);
    for (int i = last + 1; i <= 63; ++i) SetPoint(X, Y, i, X[last], Y[last]);
    return ok;
}

bool ArrayLines(Coords& X, Coords& Y, const Corners& c, uint8_t n, bool& LinesFlag) {
    LinesFlag = true;
    // The corner table holds at most 23 sides; a count of 0 is never passed.
    n = std::clamp<uint8_t>(n, 1, static_cast<uint8_t>(c.CornerX.size() - 1));
    const int step = 64 / n;
    bool ok = true;
    for (int k = 0; k < n; ++k) {
        const int start = k * step;
        ok &= BrezenLine(X, Y, c.CornerX[k], c.CornerY[k], c.CornerX[k + 1], c.CornerY[k + 1],
                         static_cast<uint8_t>(start), static_cast<uint8_t>(start + step));
    }
    return ok;
}

bool BrezenLine(Coords& X, Coords& Y, uint8_t x0, uint8_t y0, uint8_t x1, uint8_t y1, uint8_t start,
                uint8_t finish) {
    const bool ok = start < finish;
    const int count = ok ? finish - start : 1;
    const int dX = (x0 >= x1) ? -((x0 - x1) / count) : (x1 - x0) / count;
    const int dY = (y0 >= y1) ? -((y0 - y1) / count) : (y1 - y0) / count;
    X[start] = x0;
    Y[start] = y0;
    for (int j = start; j < finish; ++j) SetPoint(X, Y, j + 1, X[j] + dX, Y[j] + dY);
    return ok;
}

void Made64(Coords& X, Coords& Y, bool& LinesFlag) {
    LinesFlag = false;
    for (int i = 0; i < 64; ++i) SetPoint(X, Y, 127 - i, X[i], Y[i]);
    for (int i = 0; i < 128; ++i) SetPoint(X, Y, 255 - i, X[i], Y[i]);
}

void MadeHalf(Coords& X, Coords& Y, bool half128, bool mirrGor, bool mirrVert) {
    if (!half128) return;
    for (int i = 0; i < 128; ++i) {
        X[255 - i] = mirrGor ? Mirror(X[i]) : X[i];
        Y[255 - i] = mirrVert ? Mirror(Y[i]) : Y[i];
    }
}

bool RunGenerator(int32_t makeMode, Coords& X, Coords& Y, Corners& c, const GenerateInputs& in,
                  bool& LinesFlag) {
    switch (makeMode) {
        case MakeCircle:
            GreateCucle(X, Y, in.sx, in.sy, in.opt, in.mode, in.half);
            break;
        case MakePolygon:
            return GreateCorner(X, Y, c, in.sx, in.sy, in.opt, in.mode, LinesFlag);
        case MakeLines:
            GreateLines(X, Y, in.sx);
            break;
        case MakeStar:
            GreateStars(X, Y);
            break;
        case MakeLinesVert:
            GreateLinesV(X, Y, in.sx);
            break;
        case MakeCentre:
            GreatePoints(X, Y);
            break;
        case MakeFrame:
            GreateBegin(X, Y);
            break;
        default:
            break;
    }
    return true;
}

void CompleteFigure(Coords& X, Coords& Y, bool half128, bool mirrGor, bool mirrVert, bool& LinesFlag) {
    MadeHalf(X, Y, half128, mirrGor, mirrVert);
    if (LinesFlag) Made64(X, Y, LinesFlag);
}

}  // namespace lp
