#include "trace/parts/textparts.h"

// The first stage of tracing text: the outlines of its letters straight from
// the font, the lines centred one under another.
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "trace/outline/outline.h"
#include "trace/parts/imageparts.h"
#include "trace/route/fit.h"
#include "trace/tuning.h"

namespace lp {

namespace {

constexpr int kTextPixels = 512;       // the font size the outlines are taken at
constexpr double kLegibleHeight = 12;  // capital letters lower than this are hard to read (field units)
// Longer texts give letters too small for 256 points; what is traced spans at most the field.
constexpr int kMostLetters = 200;
constexpr int kMostSize = 255;

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
            FlattenCubic(at, p, map.map(QPointF(c2.x, c2.y)), map.map(QPointF(end.x, end.y)),
                         kTraceTuning.flattening, loops.back());
            i += 2;
        }
        if (!loops.empty()) at = loops.back().back().p;
    }
    // A closed subpath ends where it starts; that point is kept once.
    for (Polyline& loop : loops)
        while (loop.size() > 1 && Distance(loop.back().p, loop.front().p) < 1e-9) loop.pop_back();
    std::erase_if(loops, [](const Polyline& loop) { return loop.size() < 2; });
    return loops;
}

QPolygonF Polygon(const Polyline& loop) {
    QPolygonF polygon;
    polygon.reserve(qsizetype(loop.size()));
    for (const RoutePoint& point : loop) polygon << point.p;
    return polygon;
}

double Area(const QPolygonF& p) {
    double twice = 0;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QPointF a = p[i], b = p[(i + 1) % p.size()];
        twice += a.x() * b.y() - a.y() * b.x();
    }
    return std::abs(twice) / 2;
}

// Each loop a part: inside an odd number of others it is a hole of the
// smallest loop around it.
std::vector<TracePart> LetterParts(std::vector<Polyline> loops) {
    std::vector<QPolygonF> polygons;
    std::vector<double> areas;
    for (const Polyline& loop : loops) {
        polygons.push_back(Polygon(loop));
        areas.push_back(Area(polygons.back()));
    }
    std::vector<TracePart> parts(loops.size());
    for (size_t i = 0; i < loops.size(); ++i) {
        int depth = 0, around = -1;
        const QRectF box = polygons[i].boundingRect();
        for (size_t j = 0; j < loops.size(); ++j) {
            if (j == i || areas[j] <= areas[i] || !polygons[j].boundingRect().contains(box) ||
                !polygons[j].containsPoint(polygons[i].front(), Qt::OddEvenFill))
                continue;
            ++depth;
            if (around < 0 || areas[j] < areas[size_t(around)]) around = int(j);
        }
        TracePart& part = parts[i];
        part.kind = depth % 2 ? TracePart::Kind::Hole : TracePart::Kind::Filled;
        part.parent = depth % 2 ? around : -1;
        part.weight = areas[i] * (depth % 2 ? 0.25 : 1.0);
        part.loops.push_back(std::move(loops[i]));
    }
    return parts;
}

}  // namespace

TraceParts FindTextParts(const QString& text, const QString& family, bool bold, int size) {
    TraceParts found;
    QString lines = text;
    lines.remove(QLatin1Char('\r'));
    if (lines.trimmed().isEmpty()) {
        found.failure = TraceFailure::NoText;
        found.error = QCoreApplication::translate("Trace", "Нет текста: нечего обводить");
        return found;
    }
    if (lines.size() > kMostLetters) {
        found.failure = TraceFailure::NoText;
        found.error =
            QCoreApplication::translate("Trace", "Текст длиннее %1 знаков: 256 точек его не покажут")
                .arg(kMostLetters);
        return found;
    }
    size = std::clamp(size, 1, kMostSize);
    QString used = family;
    if (family.isEmpty() || !QFontDatabase::families().contains(family, Qt::CaseInsensitive)) {
        used = QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family();
        if (!family.isEmpty())
            found.notes << QCoreApplication::translate("Trace", "Шрифта «%1» в системе нет, взят «%2»")
                               .arg(family, used);
    }
    QFont font(used);
    font.setPixelSize(kTextPixels);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF metrics(font);
    QPainterPath path;
    double y = 0;
    for (const QString& line : lines.split(QLatin1Char('\n'))) {
        QPainterPath one;
        one.addText(0, y, font, line);
        if (!one.isEmpty()) path.addPath(one.translated(-one.boundingRect().center().x(), 0));
        y += metrics.lineSpacing();
    }
    const QRectF box = path.boundingRect();
    if (path.isEmpty() || box.isEmpty()) {
        found.failure = TraceFailure::NoInk;
        found.error =
            QCoreApplication::translate("Trace", "Нечего обводить: в шрифте «%1» у этих знаков нет очертаний")
                .arg(used);
        return found;
    }
    std::vector<Polyline> loops = PathLoops(path, FitTransform(box, size));
    FitLoops(loops, size);
    const double height = metrics.capHeight() * size / std::max(box.width(), box.height());
    if (height < kLegibleHeight)
        found.notes << QCoreApplication::translate(
                           "Trace",
                           "Буквы выйдут высотой около %1 ед.: ниже 12 ед. их трудно прочесть. Сократите "
                           "текст, разбейте его на строки или увеличьте размер.")
                           .arg(std::round(height));
    found.parts = LetterParts(std::move(loops));
    found.fitSize = size;
    found.keepAll = true;
    RankParts(found.parts);
    return found;
}

}  // namespace lp
