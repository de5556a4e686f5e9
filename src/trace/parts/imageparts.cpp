// The first stage of tracing a picture: the ink, its pieces, and each piece
// as an outline with its holes or as the walk along its strokes.
#include "trace/parts/imageparts.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <optional>

#include "trace/ink/coarse.h"
#include "trace/ink/mask.h"
#include "trace/lines/lineroute.h"
#include "trace/outline/outline.h"
#include "trace/parts/maskparts.h"
#include "trace/route/fit.h"

namespace lp {

namespace {

// What the field can show: what is traced spans at most this many units, a
// picture placed on it at most kMostArea each way (the window's at most 250).
constexpr int kMostSize = 255;
constexpr double kMostArea = 4096;

// Options a caller may give but no window or command line asks for: numbers
// that are not, specks larger than the field, a place far beyond it.
bool Sensible(const TraceOptions& options, const TracePlacement& placement) {
    const QRectF& area = placement.area;
    const bool inPlace = std::abs(area.left()) <= kMostArea && std::abs(area.top()) <= kMostArea &&
                         area.width() <= kMostArea && area.height() <= kMostArea;
    return options.speckUnits >= 0 && options.speckUnits <= kMostArea && (placement.fit || inPlace);
}

TraceParts Failure(TraceFailure failure, const QString& error) {
    TraceParts parts;
    parts.failure = failure;
    parts.error = error;
    return parts;
}

// What was looked for, and the other choice of ink.
QString NoInk(Ink ink) {
    switch (ink) {
        case Ink::Light:
            return QCoreApplication::translate(
                "Trace",
                "Нечего обводить: светлого на тёмном фоне нет. Попробуйте обводить тёмное на светлом.");
        case Ink::Opaque:
            return QCoreApplication::translate(
                "Trace", "Нечего обводить: картинка прозрачна. Попробуйте обводить тёмное на светлом.");
        default:
            return QCoreApplication::translate(
                "Trace",
                "Нечего обводить: тёмного на светлом фоне нет. Попробуйте обводить светлое на тёмном.");
    }
}

TraceParts NoInkFound(Ink ink) {
    TraceParts parts = Failure(TraceFailure::NoInk, NoInk(ink));
    parts.inkUsed = ink;
    return parts;
}

// Drops the specks and, in a photograph, its texture, at the scale what is
// kept is drawn at; returns field units per mask pixel (for a fitted
// picture, before the final fit).
double Clean(MaskPieces& pieces, const InkMask& mask, const TraceOptions& options,
             const QTransform& maskToField, int fitSize) {
    pieces.dropGround(kTraceTuning.groundShare);
    if (mask.photo) {
        const double speck = std::pow(kTraceTuning.photoSpeck * std::max(mask.width, mask.height), 2);
        pieces.clean(speck, speck * 4, kTraceTuning.photoHoleShare);
    }
    double unitsPerPixel = std::sqrt(std::abs(maskToField.determinant()));
    for (int round = 0; round < 4; ++round) {
        const QRect bounds = pieces.keptBounds();
        if (bounds.isEmpty()) break;
        const double before = unitsPerPixel;
        if (fitSize > 0) unitsPerPixel = fitSize / double(std::max(bounds.width(), bounds.height()));
        const double speck = std::pow(options.speckUnits / unitsPerPixel, 2);
        pieces.clean(speck, speck, 1.0);
        if (fitSize == 0 || std::abs(unitsPerPixel / before - 1) < 1e-3) break;
    }
    return unitsPerPixel;
}

// Thin pieces are drawn along their strokes: those whose ink lies nearly
// all within half a stroke of at most thinUnits and a thinRatio-th of
// their longer side from the ground (blots, eyes and knots lie deeper).
void Classify(MaskPieces& pieces, TraceOptions::Mode mode, double unitsPerPixel) {
    if (mode == TraceOptions::Mode::Auto) {
        pieces.markThin(
            [&](const MaskPiece& piece) {
                return std::min(kTraceTuning.thinUnits / unitsPerPixel,
                                piece.side() / kTraceTuning.thinRatio);
            },
            kTraceTuning.deepShare);
        return;
    }
    for (MaskPiece& piece : pieces.pieces) piece.thin = mode == TraceOptions::Mode::Lines;
}

// The outlines of the filled pieces: each outer outline a part, each hole a part inside it.
void OutlineParts(const InkMask& filled, const QTransform& map, double speckPixels,
                  std::vector<TracePart>& parts) {
    const std::vector<Curve> curves = TraceCurves(filled, kTraceTuning.turdPixels);
    const double area = std::abs(map.determinant());
    std::vector<int> partOf(curves.size(), -1);
    for (size_t k = 0; k < 2 * curves.size(); ++k) {  // the outer outlines first, then the holes
        const size_t i = k % curves.size();
        const Curve& curve = curves[i];
        if (curve.hole != (k >= curves.size()) || curve.area < speckPixels ||
            (curve.hole && (curve.parent < 0 || partOf[size_t(curve.parent)] < 0)))
            continue;
        TracePart part;
        part.kind = curve.hole ? TracePart::Kind::Hole : TracePart::Kind::Filled;
        part.parent = curve.hole ? partOf[size_t(curve.parent)] : -1;
        part.loops.push_back(FlattenCurve(curve, map, kTraceTuning.flattening));
        part.weight = curve.area * area * (curve.hole ? kTraceTuning.holeWeight : 1.0);
        partOf[i] = int(parts.size());
        parts.push_back(std::move(part));
    }
}

// The walks along the thin pieces' strokes, one part per drawing.
void StrokeParts(const InkMask& thin, const MaskPieces& pieces, const QTransform& map, double unitsPerPixel,
                 std::vector<TracePart>& parts) {
    double ink = 0, edges = 0;
    for (const MaskPiece& piece : pieces.pieces)
        if (piece.kept && piece.thin) ink += double(piece.ink), edges += 0.9 * double(piece.edges);
    const double width =
        std::max(kTraceTuning.strokeWeightWidth, edges > 0 ? 2 * ink / edges * unitsPerPixel : 0);
    for (Polyline& loop : LineLoops(thin)) {
        for (RoutePoint& point : loop) point.p = map.map(point.p);
        TracePart part;
        part.kind = TracePart::Kind::Strokes;
        part.weight = PathLength(loop, true) / 2 * width;
        part.loops.push_back(std::move(loop));
        parts.push_back(std::move(part));
    }
}

}  // namespace

void RankParts(std::vector<TracePart>& parts) {
    std::vector<size_t> order(parts.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return parts[a].weight > parts[b].weight; });
    std::vector<int> id(parts.size());
    for (size_t k = 0; k < order.size(); ++k) id[order[k]] = int(k);
    std::vector<TracePart> ranked;
    ranked.reserve(parts.size());
    for (const size_t i : order) {
        ranked.push_back(std::move(parts[i]));
        TracePart& part = ranked.back();
        if (part.parent >= 0) part.parent = id[size_t(part.parent)];
        part.length = 0;
        for (const Polyline& loop : part.loops) part.length += PathLength(loop, true);
        part.bounds = LoopBounds(part.loops);
    }
    parts = std::move(ranked);
}

namespace {

// Why there is nothing to trace, or nowhere, or not with these options;
// nothing when tracing can go on.
std::optional<TraceParts> Refusal(bool noPicture, const TraceOptions& options,
                                  const TracePlacement& placement) {
    if (noPicture)
        return Failure(TraceFailure::NoPicture, QCoreApplication::translate("Trace", "Нет картинки"));
    if (!placement.fit && !(placement.area.width() > 0 && placement.area.height() > 0))
        return Failure(TraceFailure::NoPlace,
                       QCoreApplication::translate("Trace", "Картинке негде лежать: её место на поле пусто"));
    if (!Sensible(options, placement))
        return Failure(TraceFailure::NoPlace,
                       QCoreApplication::translate("Trace", "Параметры обводки вне допустимых пределов"));
    return std::nullopt;
}

}  // namespace

TraceParts FindImageParts(const QImage& picture, const TraceOptions& options, const TracePlacement& placement,
                          std::stop_token stop) {
    if (auto refused = Refusal(picture.isNull(), options, placement)) return *refused;
    return FindMaskParts(TraceMask(picture, options.mask, stop), picture.size(), options, placement, stop);
}

InkMask TraceMask(const QImage& picture, const MaskOptions& options, std::stop_token stop) {
    InkMask mask = MakeInkMask(picture, options, stop);
    if (stop.stop_requested()) return {};
    // The work of tracing grows with the length of the ink's outlines.
    return WithinOutlineLength(std::move(mask), kTraceTuning.mostOutline);
}

TraceParts FindMaskParts(const InkMask& given, QSize pictureSize, const TraceOptions& options,
                         const TracePlacement& placement, std::stop_token stop) {
    const auto stopped = [&] { return stop.stop_requested(); };
    if (stopped()) return Failure(TraceFailure::Stopped, {});
    // By default a piece in several colours is drawn along its edges.
    const bool byEdges = options.mode == TraceOptions::Mode::Auto && !given.edgeInk.empty() &&
                         given.edgeInk.size() == given.ink.size();
    InkMask edges;
    if (byEdges) {
        edges = given;
        edges.ink = given.edgeInk;
        edges.inkPixels = std::count(edges.ink.begin(), edges.ink.end(), uint8_t(1));
    }
    const InkMask& mask = byEdges ? edges : given;
    if (auto refused = Refusal(pictureSize.isEmpty(), options, placement)) return *refused;
    if (mask.noObject)
        return Failure(
            TraceFailure::NoObject,
            QCoreApplication::translate("Trace",
                                        "На снимке нет отчётливого предмета: ничто не отличается от "
                                        "фона ни цветом, ни узором. Попробуйте выбрать, что "
                                        "обводить, или задать порог."));
    if (mask.inkPixels == int64_t(mask.ink.size()) && mask.inkPixels > 0)
        return Failure(TraceFailure::AllInk,
                       QCoreApplication::translate("Trace",
                                                   "Картинка закрашена целиком: нечего обводить. Попробуйте "
                                                   "другой порог или обводить другую сторону."));

    // Mask pixels -> field units: the picture onto the area, or fitted.
    QTransform map = mask.toSource;
    if (!placement.fit)
        map *= QTransform::fromScale(placement.area.width() / pictureSize.width(),
                                     placement.area.height() / pictureSize.height()) *
               QTransform::fromTranslate(placement.area.left(), placement.area.top());
    const int fitSize = placement.fit ? std::clamp(placement.size, 1, kMostSize) : 0;
    MaskPieces pieces(mask);
    const double unitsPerPixel = Clean(pieces, mask, options, map, fitSize);
    const QRect kept = pieces.keptBounds();
    if (kept.isEmpty()) return NoInkFound(mask.inkUsed);
    if (fitSize > 0) map = FitTransform(QRectF(kept), fitSize);
    if (stopped()) return Failure(TraceFailure::Stopped, {});
    Classify(pieces, options.mode, unitsPerPixel);
    if (byEdges)
        for (MaskPiece& piece : pieces.pieces) piece.thin = piece.thin || given.edgeOnly[size_t(piece.first)];

    TraceParts found;
    found.inkUsed = mask.inkUsed;
    found.photo = mask.photo;
    found.fitSize = fitSize;
    found.sourceToParts = mask.toSource.inverted() * map;
    const InkMask filled = pieces.maskOf(false), thin = pieces.maskOf(true);
    if (filled.inkPixels > 0)
        OutlineParts(filled, map, std::pow(options.speckUnits / unitsPerPixel, 2), found.parts);
    if (stopped()) return Failure(TraceFailure::Stopped, {});
    if (thin.inkPixels > 0) StrokeParts(thin, pieces, map, unitsPerPixel, found.parts);
    if (stopped()) return Failure(TraceFailure::Stopped, {});
    if (found.parts.empty()) return NoInkFound(mask.inkUsed);
    RankParts(found.parts);
    return found;
}

}  // namespace lp
