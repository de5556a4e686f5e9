#include "shapes/generators.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace lp {

namespace {

// Sinus is defined in the extended type of 64-bit mantissa: θ = angle × (π/180), π and π/180
// each rounded to 64 bits and the product rounded again; sine and cosine rounded to 64 bits;
// then Ceil(value × size / 2), the product rounded once more. Emulated here in integers and
// doubles, the same on every processor and compiler:
// - where sin or cos is irrational, value × size / 2 stays at least 6.5e-5 from a whole number
//   (all 360 residues, sizes 1..255), far beyond the double's error and ε = θ − angle·π/180
//   (|ε| < 2^-38 for 32-bit angles): a double gives the ceiling;
// - at multiples of 30° the value is on or next to 0, ±1/2 or ±1, and the ceiling depends only
//   on the sign of ε and on whether ε moves the rounded sine off ±1/2. DeviationOf decides both
//   within 2^-60 × 2^-69, while for every 32-bit angle |ε| keeps 3.3 × 2^-69 from 0 and
//   0.11 × 2^-69 from those thresholds.
// The x87 build's own sine misses the nearest 64-bit value by one step at about 1% of angles,
// never where it decides a ceiling: checked at every multiple of 30 in the 32-bit range (sizes
// 0..8, 16, 64, 128, 200, 252, 255); tests/shapes/test_sinus_table compares a table of its results.

constexpr uint64_t kPiMant = 0xC90FDAA22168C235;  // π rounded to 64 bits: kPiMant × 2^-62
// π/180 rounded to 64 bits: kCMant × 2^-69 (kPiMant × 32 / 45, rounded; 45 is odd: no ties).
constexpr uint64_t kCMant = kPiMant / 45 * 32 + (kPiMant % 45 * 32 + 22) / 45;
static_assert(kCMant == 0x8EFA351294E9C8AE);

// 128-bit two's-complement integers as {hi, lo}.
struct U128 {
    uint64_t hi, lo;
};

// m × b for m < 2^32.
constexpr U128 Mul(uint64_t m, uint64_t b) {
    const uint64_t p0 = m * (b & 0xFFFFFFFF), p1 = m * (b >> 32), lo = p0 + (p1 << 32);
    return {(p1 >> 32) + (lo < p0), lo};
}

constexpr U128 Add(U128 a, U128 b) {
    const uint64_t lo = a.lo + b.lo;
    return {a.hi + b.hi + (lo < a.lo), lo};
}

constexpr U128 Neg(U128 a) {
    return {~a.hi + (a.lo == 0), ~a.lo + 1};
}

constexpr bool Greater(U128 a, U128 b) {
    return a.hi != b.hi ? a.hi > b.hi : a.lo > b.lo;
}

// In units of 2^-69 with 96 fraction bits: kCMant − π·2^69/180 = −|kF| (error 2^-97), and the
// thresholds 32/√3 and 16/√3 (truncated) where √3/2 × |ε| reaches half a step of the 64-bit
// mantissa above 1/2 (2^-65) and below it (2^-66).
constexpr U128 kF = {0x0EC5F66E, 0x9485C4D900B7AEF5};
constexpr U128 kAboveHalf = {0x1279A74590, 0x331C4D218F81E4AF};
constexpr U128 kBelowHalf = {0x93CD3A2C8, 0x198E2690C7C0F257};

struct Deviation {
    int sign = 0;                       // of ε
    bool above = false, below = false;  // |ε| past kAboveHalf, kBelowHalf
};

// ε × 2^69 = k + m × (kCMant − π·2^69/180), k the rounding of m × kCMant to 64 bits (ties to even).
Deviation DeviationOf(int32_t angle) {
    const uint64_t m = angle < 0 ? 0 - uint64_t(angle) : uint64_t(angle);
    const U128 x = Mul(m, kCMant);
    const int d = std::bit_width(x.hi);  // bits below the 64 kept (x < 2^95)
    int64_t k = 0;
    if (d > 0) {
        const uint64_t low = x.lo & ((uint64_t(1) << d) - 1), half = uint64_t(1) << (d - 1);
        const bool up = low > half || (low == half && (x.lo >> d & 1));
        k = up ? int64_t((uint64_t(1) << d) - low) : -int64_t(low);
    }
    const U128 mf = Mul(m, kF.lo), e = Add({uint64_t(k) << 32, 0}, Neg({mf.hi + m * kF.hi, mf.lo}));
    const bool negative = e.hi >> 63, zero = e.hi == 0 && e.lo == 0;
    const U128 mag = negative ? Neg(e) : e;
    const int sign = (zero ? 0 : negative ? -1 : 1) * (angle < 0 ? -1 : 1);
    return {sign, Greater(mag, kAboveHalf), Greater(mag, kBelowHalf)};
}

// Ceil(sin(r° + ε) × size / 2) as the extended type computes it, r = 0..359.
int SineOffset(int r, const Deviation& e, int size) {
    switch (r) {
        case 0:  // ±ε: the ceiling of a tiny positive value is 1, of a negative one 0
        case 180:
            return size > 0 && e.sign == (r == 0 ? 1 : -1);
        case 90:
            return (size + 1) / 2;
        case 270:
            return -(size / 2);
        // ±1/2 + cos(r°)·ε, cos(r°) = ±√3/2. The rounding shows only when size / 4 is whole:
        // one more when the rounded sine lies above 1/2, or above −1/2.
        case 30:
        case 150:
            return (size + 3) / 4 + (size > 0 && size % 4 == 0 && e.above && e.sign == (r == 30 ? 1 : -1));
        case 210:
        case 330:
            return -(size / 4) + (size > 0 && size % 4 == 0 && e.below && e.sign == (r == 210 ? -1 : 1));
        default:
            return static_cast<int>(std::ceil(std::sin(r * (3.14159265358979323846 / 180)) * size / 2));
    }
}

void SetPoint(Coords& X, Coords& Y, int i, int x, int y) {
    X[i] = static_cast<uint8_t>(x);
    Y[i] = static_cast<uint8_t>(y);
}

}  // namespace

BytePoint Sinus(int32_t angle, uint8_t sizeA, uint8_t sizeB) {
    const int r = (angle % 360 + 360) % 360;
    const Deviation e = angle % 30 == 0 ? DeviationOf(angle) : Deviation{};
    return {OffsetToCoord(SineOffset(r, e, sizeA)), OffsetToCoord(SineOffset((r + 90) % 360, e, sizeB))};
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
    for (int i = 0; i < kPointCount; ++i) {
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
    for (int i = 0; i < kPointCount; ++i) SetPoint(X, Y, i, i, sx);
}

void GreateLinesV(Coords& X, Coords& Y, uint8_t sx) {
    for (int i = 0; i < kPointCount; ++i) SetPoint(X, Y, i, sx, i);
}

void GreatePoints(Coords& X, Coords& Y) {
    X.fill(127);
    Y.fill(127);
}

void GreateStars(Coords& X, Coords& Y) {
    struct Leg {
        int last, dx, dy;
    };
    static constexpr Leg kLegs[] = {{31, 2, -1},  {63, 1, -2},  {95, 1, 2},    {127, 2, 1},
                                    {159, -2, 1}, {191, -1, 2}, {222, -1, -2}, {254, -2, -1}};
    SetPoint(X, Y, 0, 32, 127);
    int i = 1;
    for (const Leg& leg : kLegs) {
        for (; i <= leg.last; ++i) SetPoint(X, Y, i, X[i - 1] + leg.dx, Y[i - 1] + leg.dy);
    }
    SetPoint(X, Y, 255, 32, 127);
}

bool GreateCorner(Coords& X, Coords& Y, Corners& c, uint8_t sx, uint8_t sy, int32_t opt, int32_t m,
                  bool& LinesFlag) {
    m = std::clamp(m, 1, kMaxCorners);
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
