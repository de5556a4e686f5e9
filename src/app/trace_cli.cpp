#include "app/trace_cli.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <memory>

#include "app/commandline.h"
#include "figure/kvtfile.h"
#include "picture/picturefile.h"
#include "trace/trace.h"

namespace {

// Pictures are decoded to fit in this box: the tracer works at about 1000 px.
const QSize kTraceBox(1024, 1024);
constexpr int kDefaultSize = 200;

// Fonts and picture decoders need an application object; no display is used.
std::unique_ptr<QGuiApplication> OffscreenApplication() {
    if (QGuiApplication::instance()) return nullptr;
    static int argc = 1;
    static char program[] = "laserpic";
    static char* argv[] = {program, nullptr};
    // Qt's own remarks (a missing runtime folder and the like) would break
    // the one line a conversion writes.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg) QTextStream(stderr) << message << Qt::endl;
    });
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

int Write(const QString& out, const lp::TraceResult& result) {
    if (result.detailLost)
        CommandMessage(QCoreApplication::translate(
                           "CommandLine",
                           "предупреждение: 256 точек не удерживают всех подробностей, отклонение до %1 ед.")
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
    const auto app = OffscreenApplication();
    QString note;
    const lp::TraceResult result =
        lp::TraceText(command.value(QStringLiteral("text")), command.value(QStringLiteral("font")),
                      command.isSet(QStringLiteral("bold")),
                      command.number(QStringLiteral("size")).value_or(kDefaultSize), &note);
    if (!note.isEmpty()) CommandMessage(note);
    if (!result.ok) return CommandFailed(result.error);
    return Write(command.paths[0], result);
}

int RunTraceImage(const CommandLine& command) {
    const auto app = OffscreenApplication();
    const QString& picture = command.paths[0];
    const lp::PictureResult read = lp::LoadPicturePreview(picture, kTraceBox);
    if (!read) return CommandFailed(picture + QStringLiteral(": ") + read.error);
    lp::TraceOptions options;
    options.mask.invert = command.isSet(QStringLiteral("invert"));
    if (command.isSet(QStringLiteral("lines"))) options.mode = lp::TraceOptions::Mode::Lines;
    if (const auto threshold = command.number(QStringLiteral("threshold"))) {
        options.mask.autoThreshold = false;
        options.mask.threshold = *threshold;
    }
    if (command.isSet(QStringLiteral("detail")))
        options.speckUnits =
            DecimalValue(command.value(QStringLiteral("detail"))).value_or(options.speckUnits);
    const int size = command.number(QStringLiteral("size")).value_or(kDefaultSize);
    const lp::TraceResult result = lp::TraceImage(read.image, options, lp::TracePlacement::Fit(size));
    if (!result.ok) return CommandFailed(picture + QStringLiteral(": ") + result.error);
    return Write(command.paths[1], result);
}
