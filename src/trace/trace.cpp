#include "trace/trace.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineF>
#include <QPainterPath>
#include <algorithm>
#include <climits>
#include <cmath>

#include "figure/geometry.h"
#include "trace/coarse.h"
#include "trace/lineroute.h"
#include "trace/outline.h"
#include "trace/route.h"

namespace lp {

namespace {

constexpr double kFlatten = 0.1;       // field units
constexpr double kMaxDeviation = 1.0;  // beyond it detail is lost
constexpr double kCentre = 127;
constexpr int kTextPixels = 512;  // the font size the outlines are taken at
// 256 points cannot show more outlines than this; the largest are kept.
constexpr size_t kMaxLoops = 500;
// What the field can show: what is traced spans at most this many units, a
// picture placed on it at most kMostArea each way (the window's at most 250).
constexpr int kMostSize = 255;
constexpr double kMostArea = 4096;
// The work of tracing grows with the length of the ink's outlines: a mask
// whose outlines are longer (in pixels) is traced coarser.
constexpr int64_t kMostOutline = 40000;
// Longer texts give letters too small for 256 points.
constexpr int kMostLetters = 200;

// Options a caller may give but no window or command line asks for: numbers
// that are not, specks larger than the field, a place far beyond it.
bool Sensible(const TraceOptions& options, const TracePlacement& placement) {
    const QRectF& area = placement.area;
    const bool inPlace = std::abs(area.left()) <= kMostArea && std::abs(area.top()) <= kMostArea &&
                         area.width() <= kMostArea && area.height() <= kMostArea;
    return options.speckUnits >= 0 && options.speckUnits <= kMostArea && (placement.fit || inPlace);
}

TraceResult Failure(const QString& error) {
    TraceResult result;
    result.error = error;
    return result;
}

QString NothingToTrace() {
    return QStringLiteral("Нечего обводить");
}

QRectF Bounds(const std::vector<Polyline>& loops) {
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    for (const Polyline& loop : loops)
        for (const RoutePoint& point : loop) {
            x0 = std::min(x0, point.p.x());
            y0 = std::min(y0, point.p.y());
            x1 = std::max(x1, point.p.x());
            y1 = std::max(y1, point.p.y());
        }
    return x0 <= x1 ? QRectF(QPointF(x0, y0), QPointF(x1, y1)) : QRectF();
}

// Scales `bounds` uniformly so that its longer side spans `size`, centred.
QTransform FitTransform(const QRectF& bounds, int size) {
    const double side = std::max(bounds.width(), bounds.height());
    const double scale = side > 0 ? size / side : 1;
    return QTransform::fromTranslate(-bounds.center().x(), -bounds.center().y()) *
           QTransform::fromScale(scale, scale) * QTransform::fromTranslate(kCentre, kCentre);
}

// Makes the bounding box of the loops span `size` exactly.
void FitLoops(std::vector<Polyline>& loops, int size) {
    const QTransform fit = FitTransform(Bounds(loops), size);
    for (Polyline& loop : loops)
        for (RoutePoint& point : loop) point.p = fit.map(point.p);
}

// The farthest any point of the route (within the field) lies from the
// drawn contour: the route's points and the middles of its segments.
double WorstDeviation(const Polyline& route, const Coords& X, const Coords& Y) {
    auto corner = [&](size_t j) { return QPointF(X[j % PointCount], Y[j % PointCount]); };
    auto distance = [&](QPointF p, size_t j) { return SegmentDistance2(p, corner(j), corner(j + 1)); };
    double worst = 0;
    size_t near = 0;
    for (size_t i = 0; i < 2 * route.size(); ++i) {
        const QPointF a = route[i / 2].p, b = route[(i / 2 + 1) % route.size()].p;
        const QPointF raw = i % 2 ? (a + b) / 2 : a;
        const QPointF p(std::clamp(raw.x(), 0.0, 255.0), std::clamp(raw.y(), 0.0, 255.0));
        // The segments around the last nearest one usually decide.
        double best = INFINITY;
        for (size_t k = near + PointCount - 3; k <= near + PointCount + 3; ++k)
            best = std::min(best, distance(p, k));
        if (best <= worst) continue;
        for (size_t j = 0; j < size_t(PointCount); ++j)
            if (const double d = distance(p, j); d < best) {
                best = d;
                near = j;
            }
        worst = std::max(worst, best);
    }
    return std::sqrt(worst);
}

// Loops in field units become the contour: corners marked, joined, 256 points.
TraceResult Finish(std::vector<Polyline> loops) {
    if (loops.empty()) return Failure(NothingToTrace());
    if (loops.size() > kMaxLoops) {  // the longest are kept
        std::partial_sort(
            loops.begin(), loops.begin() + kMaxLoops, loops.end(),
            [](const Polyline& a, const Polyline& b) { return RouteLength(a) > RouteLength(b); });
        loops.resize(kMaxLoops);
    }
    for (Polyline& loop : loops) MarkCorners(loop);
    const JoinedRoute joined = JoinLoops(loops);
    if (joined.route.empty()) return Failure(NothingToTrace());
    TraceResult result;
    RoundToField(AllocatePoints(joined.route, PointCount), result.X, result.Y);
    result.ok = true;
    result.contours = joined.loops;
    result.bridgeLength = joined.bridgeLength;
    result.routeLength = RouteLength(joined.route);
    result.worstDeviation = WorstDeviation(joined.route, result.X, result.Y);
    result.detailLost = result.worstDeviation > kMaxDeviation;
    return result;
}

// The outlines of the ink in field units, specks dropped, at most kMaxLoops of
// the largest; fitted to `fitSize` units unless it is 0.
std::vector<Polyline> OutlineLoops(const InkMask& mask, const QTransform& maskToField, double speckUnits,
                                   int fitSize) {
    const double speckArea = speckUnits * speckUnits;
    // Fitted, the scale follows from what is kept, and what is kept from the
    // scale: first from the ink's bounds, then from what is left. potrace
    // leaves out what is surely a speck; it runs again only when what is
    // left is much smaller than the ink's bounds.
    QTransform map = fitSize > 0 ? FitTransform(QRectF(InkBounds(mask)), fitSize) : maskToField;
    std::vector<Curve> curves;
    std::vector<const Curve*> kept;
    int turd = INT_MAX;
    for (int round = 0; round < 4; ++round) {
        const double minimum = speckArea / std::abs(map.determinant());
        if (std::ceil(minimum) - 1 < turd) {
            turd = int(std::clamp(std::ceil(minimum * (fitSize > 0 ? 0.8 : 1.0)) - 1, 0.0, 1e9));
            curves = TraceCurves(mask, turd);
        }
        kept.clear();
        for (const Curve& curve : curves)
            if (curve.area >= minimum) kept.push_back(&curve);
        if (kept.size() > kMaxLoops) {
            std::partial_sort(kept.begin(), kept.begin() + kMaxLoops, kept.end(),
                              [](const Curve* a, const Curve* b) { return a->area > b->area; });
            kept.resize(kMaxLoops);
        }
        if (fitSize == 0 || kept.empty()) break;
        std::vector<Polyline> ends;
        for (const Curve* curve : kept) {
            ends.emplace_back();
            for (const CurvePiece& piece : curve->pieces) ends.back().push_back({piece.end, false});
        }
        const QTransform next = FitTransform(Bounds(ends), fitSize);
        if (std::abs(next.m11() / map.m11() - 1) < 1e-3) break;
        map = next;
    }
    std::vector<Polyline> loops;
    for (const Curve* curve : kept) loops.push_back(FlattenCurve(*curve, map, kFlatten));
    if (fitSize > 0 && !loops.empty()) FitLoops(loops, fitSize);
    return loops;
}

// The centre lines of the strokes in field units, one closed walk per drawing,
// specks dropped; fitted to `fitSize` units unless it is 0 (the specks then
// judged at the scale that fits the whole ink).
std::vector<Polyline> CentreLines(const InkMask& mask, const QTransform& maskToField, double speckUnits,
                                  int fitSize) {
    const QRect ink = InkBounds(mask);
    const double unitsPerPixel = fitSize > 0
                                     ? fitSize / std::max(1.0, double(std::max(ink.width(), ink.height())))
                                     : std::sqrt(std::abs(maskToField.determinant()));
    std::vector<Polyline> loops = LineLoops(WithoutSpecks(mask, std::pow(speckUnits / unitsPerPixel, 2)));
    for (Polyline& loop : loops)
        for (RoutePoint& point : loop) point.p = maskToField.map(point.p);
    if (fitSize > 0 && !loops.empty()) FitLoops(loops, fitSize);
    return loops;
}

// The outline of a painter path, flattened after `map`.
std::vector<Polyline> PathLoops(const QPainterPath& path, const QTransform& map) {
    std::vector<Polyline> loops;
    QPointF at;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const QPointF p = map.map(QPointF(e.x, e.y));
        if (e.isMoveTo()) {
            loops.push_back({{p, false}});
        } else if (e.isLineTo() && !loops.empty()) {
            loops.back().push_back({p, false});
        } else if (e.isCurveTo() && !loops.empty() && i + 2 < path.elementCount()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
            FlattenCubic(at, p, map.map(QPointF(c2.x, c2.y)), map.map(QPointF(end.x, end.y)), kFlatten,
                         loops.back());
            i += 2;
        }
        if (!loops.empty()) at = loops.back().back().p;
    }
    // A closed subpath ends where it starts; that point is kept once.
    for (Polyline& loop : loops)
        while (loop.size() > 1 && QLineF(loop.back().p, loop.front().p).length() < 1e-9) loop.pop_back();
    std::erase_if(loops, [](const Polyline& loop) { return loop.size() < 2; });
    return loops;
}

}  // namespace

TracePlacement TracePlacement::Fit(int size) {
    TracePlacement placement;
    placement.size = size;
    return placement;
}

TracePlacement TracePlacement::InPlace(const QRectF& area) {
    TracePlacement placement;
    placement.fit = false;
    placement.area = area;
    return placement;
}

TraceResult TraceImage(const QImage& picture, const TraceOptions& options, const TracePlacement& placement) {
    if (picture.isNull()) return Failure(QStringLiteral("Нет картинки"));
    if (!placement.fit && !(placement.area.width() > 0 && placement.area.height() > 0))
        return Failure(QStringLiteral("Картинке негде лежать: её место на поле пусто"));
    if (!Sensible(options, placement))
        return Failure(QCoreApplication::translate("Trace", "Параметры обводки вне допустимых пределов"));
    const InkMask mask = WithinOutlineLength(MakeInkMask(picture, options.mask), kMostOutline);
    if (mask.inkPixels == 0) return Failure(NothingToTrace());
    if (mask.inkPixels == int64_t(mask.ink.size()))
        return Failure(QStringLiteral("Картинка закрашена целиком: нечего обводить"));

    // Mask pixels -> field units: the picture onto the area, or fitted later.
    QTransform maskToField = mask.toSource;
    if (!placement.fit)
        maskToField *= QTransform::fromScale(placement.area.width() / picture.width(),
                                             placement.area.height() / picture.height()) *
                       QTransform::fromTranslate(placement.area.left(), placement.area.top());
    const int fitSize = placement.fit ? std::clamp(placement.size, 1, kMostSize) : 0;

    std::vector<Polyline> loops;
    switch (options.mode) {
        case TraceOptions::Mode::Outline:
            loops = OutlineLoops(mask, maskToField, options.speckUnits, fitSize);
            break;
        case TraceOptions::Mode::Lines:
            loops = CentreLines(mask, maskToField, options.speckUnits, fitSize);
            break;
    }
    return Finish(std::move(loops));
}

TraceResult TraceText(const QString& text, const QString& family, bool bold, int size, QString* note) {
    if (text.trimmed().isEmpty()) return Failure(QStringLiteral("Нет текста: нечего обводить"));
    if (text.size() > kMostLetters)
        return Failure(
            QCoreApplication::translate("Trace", "Текст длиннее %1 знаков: 256 точек его не покажут")
                .arg(kMostLetters));
    size = std::clamp(size, 1, kMostSize);
    QString used = family;
    if (family.isEmpty() || !QFontDatabase::families().contains(family, Qt::CaseInsensitive)) {
        used = QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family();
        if (note && !family.isEmpty())
            *note = QStringLiteral("Шрифта «%1» в системе нет, взят «%2»").arg(family, used);
    }
    QFont font(used);
    font.setPixelSize(kTextPixels);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    QPainterPath path;
    path.addText(0, 0, font, text);
    if (path.isEmpty() || path.boundingRect().isEmpty()) return Failure(NothingToTrace());
    std::vector<Polyline> loops = PathLoops(path, FitTransform(path.boundingRect(), size));
    FitLoops(loops, size);
    return Finish(std::move(loops));
}

}  // namespace lp
