#include "tracewin/tracestatus.h"

#include <QCoreApplication>
#include <QStringList>
#include <cmath>

#include "language/translations.h"
#include "trace/route/routeparts.h"
#include "view/beam.h"

namespace lp {

namespace {

QString Units(double value) {
    return QCoreApplication::translate("TTraceForm", "%1 ед.")
        .arg(lp::InterfaceLocale().toString(value, 'f', 1));
}

// "40 × 12": a part's size on the field, in whole units.
QString SizeOf(const TraceParts& parts, const TraceResult& routed, int id) {
    const QSizeF size = routed.partsToField.mapRect(parts.parts[size_t(id)].bounds).size();
    return QStringLiteral("%1 × %2").arg(std::lround(size.width())).arg(std::lround(size.height()));
}

// Why the parts not drawn are not: counted by reason.
QString NotDrawn(const TraceResult& r) {
    int user = 0, largest = 0, points = 0, room = 0;
    for (const PartState state : r.states) {
        user += state == PartState::LeftOutByUser;
        largest += state == PartState::BeyondLargest;
        points += state == PartState::NoRoom || state == PartState::TooFewPoints;
        room += state == PartState::MadeRoom;
    }
    QStringList why;
    if (user) why << QCoreApplication::translate("TTraceForm", "убраны щелчком — %1").arg(user);
    if (largest) why << QCoreApplication::translate("TTraceForm", "сверх крупнейших — %1").arg(largest);
    if (points)
        why << QCoreApplication::translate("TTraceForm", "не уместились в 256 точек — %1").arg(points);
    if (room) why << QCoreApplication::translate("TTraceForm", "уступили место возвращённым — %1").arg(room);
    return why.isEmpty() ? QString()
                         : QCoreApplication::translate("TTraceForm", "Не рисуются: %1.")
                               .arg(why.join(QStringLiteral(", ")));
}

// Why the trace is too much for 256 points even with parts left out, and
// what helps here; nothing when it is not.
QString TooMuch(const TraceResult& r) {
    switch (LeftOutOf(r)) {
        case LeftOut::Illegible:
            return QCoreApplication::translate("TTraceForm",
                                               "Даже крупнейшую часть 256 точек не нарисуют разборчиво: шаг "
                                               "между точками %1 ед. (больше 11). Помогут меньший размер, "
                                               "часть картинки или меньше частей.")
                .arg(std::round(r.meanStep));
        case LeftOut::Crowded:
            return QCoreApplication::translate(
                       "TTraceForm",
                       "Картинка слишком подробна для 256 точек: линии маршрута "
                       "сливаются, %1 % пути идёт вплотную к другим линиям. Помогут "
                       "меньше частей (уберите лишние щелчком), рамка вокруг главного "
                       "или больший размер.")
                .arg(std::lround(100 * r.crowded));
        default:
            return {};
    }
}

// Which parts made room for those brought back, the first few by name.
QString MadeRoom(const TraceParts& parts, const TraceResult& r) {
    constexpr int kNamed = 4;
    QStringList named;
    int more = 0;
    for (size_t i = 0; i < r.states.size() && i < parts.parts.size(); ++i) {
        if (r.states[i] != PartState::MadeRoom) continue;
        if (named.size() < kNamed)
            named << QCoreApplication::translate("TTraceForm", "часть %1 (%2 ед.)")
                         .arg(i + 1)
                         .arg(SizeOf(parts, r, int(i)));
        else
            ++more;
    }
    if (named.isEmpty()) return {};
    QString list = named.join(QStringLiteral(", "));
    if (more) list += QCoreApplication::translate("TTraceForm", " и ещё %1").arg(more);
    return QCoreApplication::translate(
               "TTraceForm", "Возвращённым частям на всех не хватает 256 точек, место им уступили: %1.")
        .arg(list);
}

}  // namespace

QString TraceStatus(const TraceOutcome& outcome) {
    const TraceResult& r = outcome.result;
    QStringList lines;
    if (!r.ok) {
        lines << (r.error.isEmpty() ? QCoreApplication::translate("TTraceForm", "Не удалось обвести")
                                    : r.error);
    } else {
        lines << QCoreApplication::translate(
                     "TTraceForm",
                     "Контуров: %1, %2, маршрут %3, мосты %4\nСредний шаг %5, наибольшее отклонение %6")
                     .arg(r.contours)
                     .arg(QCoreApplication::translate("TTraceForm", "частей %1 из %2")
                              .arg(r.shownDrawn)
                              .arg(r.shownFound))
                     .arg(Units(r.routeLength), Units(r.bridgeLength), Units(r.meanStep),
                          Units(r.worstDeviation));
        lines << QCoreApplication::translate("TTraceForm", "Яркость %1 % (100 % — круг поперечником %2 ед.)")
                     .arg(BrightnessPercent(r.X, r.Y))
                     .arg(kReferenceDiameter);
        if (const QString much = TooMuch(r); !much.isEmpty())
            lines << much;
        else if (const QString left = NotDrawn(r); !left.isEmpty())
            lines << left;
        else if (r.detailLost)
            lines << QCoreApplication::translate(
                "TTraceForm", "256 точек не вмещают всех деталей: показано лучшее, что из них вышло.");
        if (outcome.parts)
            if (const QString room = MadeRoom(*outcome.parts, r); !room.isEmpty()) lines << room;
    }
    if (!r.notes.isEmpty()) lines << r.notes.join(QLatin1Char('\n'));
    if (r.ok && r.nearlyStill) lines << NearlyStillWarning();
    return lines.join(QLatin1Char('\n'));
}

QString PartDescription(const TraceParts& parts, const TraceResult& routed, int id) {
    if (id < 0 || size_t(id) >= parts.parts.size() || size_t(id) >= routed.states.size()) return {};
    const TracePart& part = parts.parts[size_t(id)];
    QString state;
    switch (routed.states[size_t(id)]) {
        case PartState::Drawn:
            state = QCoreApplication::translate("TTraceForm", "рисуется");
            break;
        case PartState::LeftOutByUser:
            state = QCoreApplication::translate("TTraceForm", "убрана щелчком");
            break;
        case PartState::BeyondLargest:
            state = QCoreApplication::translate("TTraceForm", "сверх крупнейших");
            break;
        case PartState::MadeRoom:
            state = QCoreApplication::translate("TTraceForm", "уступила место возвращённым");
            break;
        default:
            state = QCoreApplication::translate("TTraceForm", "не уместилась в 256 точек");
    }
    const QString name =
        part.parent >= 0
            ? QCoreApplication::translate("TTraceForm", "Часть %1 из %2 (дырка в части %3)")
                  .arg(id + 1)
                  .arg(parts.parts.size())
                  .arg(part.parent + 1)
            : QCoreApplication::translate("TTraceForm", "Часть %1 из %2").arg(id + 1).arg(parts.parts.size());
    return QCoreApplication::translate("TTraceForm", "%1, %2 ед.: %3")
        .arg(name, SizeOf(parts, routed, id), state);
}

}  // namespace lp
