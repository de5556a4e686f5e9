#include "trace/outline/outline.h"

#include <potracelib.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <unordered_map>

#include "figure/geometry.h"
#include "trace/tuning.h"

namespace lp {

namespace {

constexpr double kTipTurn = kTraceTuning.tipTurnDegrees * M_PI / 180;
constexpr double kTipRounding = kTraceTuning.tipRounding;
constexpr int kWordBits = int(sizeof(potrace_word) * 8);

// The mask as potrace's bitmap: the leftmost pixel in the highest bit.
struct Bitmap {
    std::vector<potrace_word> words;
    potrace_bitmap_t bm{};

    explicit Bitmap(const InkMask& mask) {
        bm.w = mask.width;
        bm.h = mask.height;
        bm.dy = (mask.width + kWordBits - 1) / kWordBits;
        words.assign(size_t(bm.dy) * size_t(bm.h), 0);
        for (int y = 0; y < mask.height; ++y) {
            const uint8_t* in = mask.ink.data() + size_t(y) * size_t(mask.width);
            potrace_word* out = words.data() + size_t(y) * size_t(bm.dy);
            for (int x0 = 0; x0 < mask.width; x0 += kWordBits) {
                potrace_word word = 0;
                const int end = std::min(mask.width, x0 + kWordBits);
                int x = x0;
                for (; std::endian::native == std::endian::little && x + 8 <= end; x += 8) {
                    // Eight 0/1 bytes to eight bits, the first the highest.
                    uint64_t bytes;
                    std::memcpy(&bytes, in + x, 8);
                    word =
                        (word << 8) | potrace_word(((bytes & 0x0101010101010101) * 0x8040201008040201) >> 56);
                }
                for (; x < end; ++x) word = (word << 1) | potrace_word(in[x] & 1);
                out[x0 / kWordBits] = word << (x0 + kWordBits - end);
            }
        }
        bm.map = words.data();
    }
};

struct StateFree {
    void operator()(potrace_state_t* state) const { potrace_state_free(state); }
};
struct ParamFree {
    void operator()(potrace_param_t* param) const { potrace_param_free(param); }
};
using State = std::unique_ptr<potrace_state_t, StateFree>;

// Corners kept sharp (alphaMax 1.0 instead of potrace's 1.334, which rounds
// a square's corners), curves joined where they stay within optTolerance.
State Run(const InkMask& mask, int turdPixels) {
    if (mask.isEmpty()) return {};
    const std::unique_ptr<potrace_param_t, ParamFree> param(potrace_param_default());
    if (!param) return {};
    param->turdsize = std::max(0, turdPixels);
    param->alphamax = kTraceTuning.alphaMax;
    param->opticurve = 1;
    param->opttolerance = kTraceTuning.optTolerance;
    const Bitmap bitmap(mask);
    State state(potrace_trace(param.get(), &bitmap.bm));
    if (state && state->status != POTRACE_STATUS_OK) state.reset();
    return state;
}

QPointF Point(const potrace_dpoint_t& p) {
    return {p.x, p.y};
}

// The curve stays within 3/4 of its control points' distance from the chord.
void FlattenCubicTo(QPointF a, QPointF b, QPointF c, QPointF d, double tolerance, int depth, Polyline& out) {
    const double flat = std::max(LineDistance(b, a, d), LineDistance(c, a, d)) * 0.75;
    if (!(flat > tolerance) || depth >= 20) {
        out.push_back({d, false});
        return;
    }
    const QPointF ab = (a + b) / 2, bc = (b + c) / 2, cd = (c + d) / 2;
    const QPointF abc = (ab + bc) / 2, bcd = (bc + cd) / 2, mid = (abc + bcd) / 2;
    FlattenCubicTo(a, ab, abc, mid, tolerance, depth + 1, out);
    FlattenCubicTo(mid, bcd, cd, d, tolerance, depth + 1, out);
}

// A tip that the raster has blunted and potrace has rounded over one or two
// curve pieces from `a` to `d`: when they turn by kTipTurn or more and pass
// within kTipRounding of where their first and last control lines meet, that
// point is the tip. `middle` is the curves' point halfway round.
std::optional<QPointF> SharpTip(QPointF a, QPointF b, QPointF c, QPointF d, QPointF middle) {
    const QPointF in = b - a, out = d - c;
    const double cross = Cross(in, out);
    if (std::abs(TurnAngle(in, out)) < kTipTurn || std::abs(cross) < 1e-12) return std::nullopt;
    const double t = ((c.x() - a.x()) * out.y() - (c.y() - a.y()) * out.x()) / cross;
    const QPointF corner = a + in * t;
    if (t < 0 || Distance(corner, middle) > kTipRounding) return std::nullopt;
    return corner;
}

}  // namespace

std::vector<Curve> TraceCurves(const InkMask& mask, int turdPixels) {
    std::vector<Curve> curves;
    const State state = Run(mask, turdPixels);
    if (!state) return curves;
    std::unordered_map<const potrace_path_t*, int> index;
    for (const potrace_path_t* path = state->plist; path; path = path->next) {
        const potrace_curve_t& c = path->curve;
        if (c.n <= 0) continue;
        index[path] = int(curves.size());
        Curve curve;
        curve.area = path->area;
        curve.hole = path->sign == '-';
        curve.pieces.resize(size_t(c.n));
        for (int i = 0; i < c.n; ++i) {
            CurvePiece& piece = curve.pieces[size_t(i)];
            piece.corner = c.tag[i] == POTRACE_CORNER;
            piece.c1 = Point(c.c[i][piece.corner ? 1 : 0]);
            piece.c2 = Point(c.c[i][1]);
            piece.end = Point(c.c[i][2]);
        }
        curves.push_back(std::move(curve));
    }
    for (const auto& [path, i] : index)
        for (const potrace_path_t* child = path->childlist; child; child = child->sibling)
            if (const auto found = index.find(child); found != index.end())
                curves[size_t(found->second)].parent = i;
    return curves;
}

bool RunPotraceOnly(const InkMask& mask, int turdPixels) {
    return bool(Run(mask, turdPixels));
}

void FlattenCubic(QPointF a, QPointF b, QPointF c, QPointF d, double tolerance, Polyline& out) {
    FlattenCubicTo(a, b, c, d, tolerance, 0, out);
}

Polyline FlattenCurve(const Curve& curve, const QTransform& map, double tolerance) {
    Polyline loop;
    const size_t n = curve.pieces.size();
    if (n == 0) return loop;
    std::vector<QPointF> end(n), c1(n), c2(n);
    for (size_t i = 0; i < n; ++i) {
        end[i] = map.map(curve.pieces[i].end);
        c1[i] = map.map(curve.pieces[i].c1);
        c2[i] = map.map(curve.pieces[i].c2);
    }
    for (size_t i = 0; i < n; ++i) {
        const QPointF at = end[(i + n - 1) % n];
        const size_t j = (i + 1) % n;
        if (curve.pieces[i].corner) {
            loop.push_back({c1[i], true});
        } else if (const auto tip =
                       SharpTip(at, c1[i], c2[i], end[i], (at + 3 * c1[i] + 3 * c2[i] + end[i]) / 8)) {
            loop.push_back({*tip, true});
        } else if (const auto pair = i + 1 < n && !curve.pieces[j].corner
                                         ? SharpTip(at, c1[i], c2[j], end[j], end[i])
                                         : std::nullopt) {
            loop.push_back({*pair, true});
            ++i;
        } else {
            FlattenCubic(at, c1[i], c2[i], end[i], tolerance, loop);
            continue;
        }
        loop.push_back({end[i], false});
    }
    return loop;
}

}  // namespace lp
