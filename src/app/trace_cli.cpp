#include "app/trace_cli.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

#include "app/command.h"
#include "figure/kvtfile.h"
#include "picture/picturefile.h"
#include "trace/ink/mask.h"
#include "trace/route/routeparts.h"
#include "trace/session/session.h"

namespace lp {

namespace {

// Pictures are decoded to fit in this box: the tracer works at about 1000 px.
const QSize kTraceBox(1024, 1024);
constexpr int kDefaultSize = lp::kTraceTuning.size;

// What was left out and why, with the options that help; nothing when all was drawn.
QString LeftOutWords(const lp::TraceResult& r) {
    switch (lp::LeftOutOf(r)) {
        case lp::LeftOut::Illegible:
            return QCoreApplication::translate("CommandLine",
                                               "Даже крупнейшую часть 256 точек не нарисуют разборчиво: шаг "
                                               "между точками %1 ед. (больше 11). Помогут меньший размер "
                                               "(--size), часть картинки или меньше частей (--parts).")
                .arg(std::round(r.meanStep));
        case lp::LeftOut::Crowded:
            return QCoreApplication::translate("CommandLine",
                                               "Картинка слишком подробна для 256 точек: линии маршрута "
                                               "сливаются, %1 % пути идёт вплотную к другим линиям. Помогут "
                                               "меньше частей (--parts N), больший размер (--size 255), "
                                               "пропуск мелочи (--detail) или часть картинки вместо целой.")
                .arg(std::lround(100 * r.crowded));
        case lp::LeftOut::ByChoice:
            return QCoreApplication::translate("CommandLine", "Нарисовано частей %1 из %2.")
                .arg(r.shownDrawn)
                .arg(r.shownFound);
        case lp::LeftOut::ForPoints:
            return QCoreApplication::translate(
                       "CommandLine",
                       "Нарисовано %1 % картинки: 256 точкам не хватает на всё (частей "
                       "%2 из %3). Выбрать части самому: --parts N; пропускать мелочь: "
                       "--detail.")
                .arg(std::min(99L, std::lround(100 * r.inkDrawn)))
                .arg(r.shownDrawn)
                .arg(r.shownFound);
        default:
            return {};
    }
}

int Write(const QString& out, const lp::TraceResult& result) {
    for (const QString& note : result.notes) CommandMessage(note);
    if (result.nearlyStill)
        CommandMessage(QCoreApplication::translate("CommandLine", "предупреждение: ") +
                       lp::NearlyStillWarning());
    if (const QString left = LeftOutWords(result); !left.isEmpty())
        CommandMessage(QCoreApplication::translate("CommandLine", "предупреждение: ") + left);
    else if (result.detailLost)
        CommandMessage(QCoreApplication::translate(
                           "CommandLine",
                           "предупреждение: 256 точек не удерживают всех подробностей, отклонение до %1 ед.; "
                           "меньше частей: --parts N, пропускать мелочь: --detail")
                           .arg(result.worstDeviation, 0, 'f', 1));
    // A new picture file: the bytes the editor does not use hold 0x7F.
    lp::PictureBytes buffer;
    buffer.fill(0x7F);
    lp::FigureToImage(result.X, result.Y, buffer);
    const lp::FileResult written = lp::WritePictureFile(out, buffer);
    return written ? 0 : CommandFailed(out + QStringLiteral(": ") + written.error);
}

}  // namespace

int RunTraceText(const CommandLine& command) {
    const lp::TraceResult result = lp::TraceText(
        command.value(QStringLiteral("text")), command.value(QStringLiteral("font")),
        command.isSet(QStringLiteral("bold")), command.number(QStringLiteral("size")).value_or(kDefaultSize));
    if (!result.ok) {
        for (const QString& note : result.notes) CommandMessage(note);
        return CommandFailed(result.error);
    }
    return Write(command.paths[0], result);
}

int RunTraceImage(const CommandLine& command) {
    const QString& picture = command.paths[0];
    const lp::PictureResult read = lp::LoadPicturePreview(picture, kTraceBox);
    if (!read) return CommandFailed(picture + QStringLiteral(": ") + read.error);
    lp::TraceOptions options;
    options.mask.ink = command.isSet(QStringLiteral("invert"))
                           ? lp::Ink::Light
                           : lp::InkNamed(command.value(QStringLiteral("ink")));
    options.mode =
        lp::TraceModeOf(command.isSet(QStringLiteral("lines")), command.isSet(QStringLiteral("outline")));
    if (const auto threshold = command.number(QStringLiteral("threshold"))) {
        options.mask.autoThreshold = false;
        options.mask.threshold = *threshold;
    }
    if (command.isSet(QStringLiteral("detail")))
        options.speckUnits =
            DecimalValue(command.value(QStringLiteral("detail"))).value_or(options.speckUnits);
    const int size = command.number(QStringLiteral("size")).value_or(kDefaultSize);
    lp::TraceRequest request;
    request.picture = read.image;
    request.options = options;
    request.placement = lp::TracePlacement::Fit(size);
    request.choice.largest = command.number(QStringLiteral("parts")).value_or(0);
    lp::TraceSession session;
    const lp::TraceResult& result = session.trace(request).result;
    if (!result.ok) {
        QString error = picture + QStringLiteral(": ") + result.error;
        if (result.failure == lp::TraceFailure::NoInk)  // the other side to try
            error += session.outcome().parts->inkUsed == lp::Ink::Light ? QStringLiteral(" (--ink dark)")
                                                                        : QStringLiteral(" (--ink light)");
        if (result.failure == lp::TraceFailure::NoObject) error += QStringLiteral(" (--ink, --threshold)");
        return CommandFailed(error);
    }
    return Write(command.paths[1], result);
}

}  // namespace lp
