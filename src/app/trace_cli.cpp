#include "app/trace_cli.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <memory>
#include <optional>

#include "figure/kvtfile.h"
#include "trace/trace.h"
#include "view/picturefile.h"

namespace {

const QString kTrace = QStringLiteral("--trace");
const QString kText = QStringLiteral("--text");
const QString kProgram = QStringLiteral("laserpic");
// Pictures are decoded to fit in this box: the tracer works at about 1000 px.
const QSize kTraceBox(1024, 1024);

void Line(const QString& message) {
    QString line = message;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    QTextStream(stderr) << kProgram << ": " << line << Qt::endl;
}

int Fail(const QString& message) {
    Line(message);
    return 1;
}

int Usage(const QString& message) {
    Line(message + QStringLiteral("; справка: %1 --help").arg(kProgram));
    return 2;
}

struct Request {
    QString mode, text, font;
    QStringList paths;
    bool invert = false, bold = false, lines = false;
    std::optional<int> threshold;
    std::optional<double> detail;
    int size = 200;
};

// The smallest part kept, in field units: as the trace window's slider allows.
constexpr double kMostDetail = 20;

// Reads the arguments after the program's name; an empty result is fine.
QString Parse(const QStringList& rest, Request& request) {
    for (qsizetype i = 0; i < rest.size(); ++i) {
        const QString& arg = rest[i];
        auto value = [&]() -> std::optional<QString> {
            return i + 1 < rest.size() ? std::optional<QString>(rest[++i]) : std::nullopt;
        };
        auto number = [&](int low, int high) -> std::optional<int> {
            bool ok = false;
            const int n = i + 1 < rest.size() ? rest[++i].toInt(&ok) : 0;
            return ok && n >= low && n <= high ? std::optional<int>(n) : std::nullopt;
        };
        if (arg == kTrace || arg == kText) {
            if (!request.mode.isEmpty()) return QStringLiteral("одно преобразование за раз");
            request.mode = arg;
            if (arg == kText) {
                const auto text = value();
                if (!text) return QStringLiteral("после --text нужен текст");
                request.text = *text;
            }
        } else if (arg == QLatin1String("--invert")) {
            request.invert = true;
        } else if (arg == QLatin1String("--lines")) {
            request.lines = true;
        } else if (arg == QLatin1String("--bold")) {
            request.bold = true;
        } else if (arg == QLatin1String("--threshold")) {
            if (!(request.threshold = number(0, 255)))
                return QStringLiteral("после --threshold нужно число от 0 до 255");
        } else if (arg == QLatin1String("--detail")) {
            bool ok = false;
            const double units =
                i + 1 < rest.size() ? QString(rest[++i]).replace(u',', u'.').toDouble(&ok) : 0;
            if (!ok || !(units >= 0 && units <= kMostDetail))
                return QCoreApplication::translate("TraceCommand", "после --detail нужно число от 0 до %1")
                    .arg(kMostDetail);
            request.detail = units;
        } else if (arg == QLatin1String("--size")) {
            const auto size = number(10, 255);
            if (!size) return QStringLiteral("после --size нужно число от 10 до 255");
            request.size = *size;
        } else if (arg == QLatin1String("--font")) {
            const auto font = value();
            if (!font || font->isEmpty()) return QStringLiteral("после --font нужно название шрифта");
            request.font = *font;
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return QStringLiteral("неизвестный параметр ") + arg;
        } else {
            request.paths.append(arg);
        }
    }
    if (request.mode == kTrace && (request.paths.size() != 2 || !request.font.isEmpty() || request.bold))
        return QStringLiteral(
            "ожидается: --trace КАРТИНКА ВЫХОД.kvt [--lines] [--invert] [--threshold 0..255] [--detail "
            "0..20] "
            "[--size 10..255]");
    if (request.mode == kText &&
        (request.paths.size() != 1 || request.invert || request.threshold || request.lines || request.detail))
        return QStringLiteral("ожидается: --text ТЕКСТ ВЫХОД.kvt [--font ШРИФТ] [--bold] [--size 10..255]");
    return {};
}

int Write(const QString& out, const lp::TraceResult& result) {
    if (result.detailLost)
        Line(QStringLiteral("предупреждение: 256 точек не удерживают всех подробностей, отклонение до %1 ед.")
                 .arg(result.worstDeviation, 0, 'f', 1));
    // A new picture file: the bytes the editor does not use hold 0x7F.
    lp::PictureBytes buffer;
    buffer.fill(0x7F);
    lp::FigureToImage(result.X, result.Y, buffer);
    const lp::FileResult written = lp::WritePictureFile(out, buffer);
    return written ? 0 : Fail(out + QStringLiteral(": ") + written.error);
}

int Run(const Request& request) {
    if (request.mode == kText) {
        QString note;
        const lp::TraceResult result =
            lp::TraceText(request.text, request.font, request.bold, request.size, &note);
        if (!note.isEmpty()) Line(note);
        if (!result.ok) return Fail(result.error);
        return Write(request.paths[0], result);
    }
    const QString& picture = request.paths[0];
    const lp::PictureResult read = lp::LoadPicturePreview(picture, kTraceBox);
    if (!read) return Fail(picture + QStringLiteral(": ") + read.error);
    lp::TraceOptions options;
    options.mask.invert = request.invert;
    if (request.lines) options.mode = lp::TraceOptions::Mode::Lines;
    if (request.threshold) {
        options.mask.autoThreshold = false;
        options.mask.threshold = *request.threshold;
    }
    if (request.detail) options.speckUnits = *request.detail;
    const lp::TraceResult result = lp::TraceImage(read.image, options, lp::TracePlacement::Fit(request.size));
    if (!result.ok) return Fail(picture + QStringLiteral(": ") + result.error);
    return Write(request.paths[1], result);
}

}  // namespace

int RunTraceCommand(const QStringList& args) {
    const QStringList rest = args.mid(1);
    if (!rest.contains(kTrace) && !rest.contains(kText)) return -1;
    Request request;
    if (const QString mistake = Parse(rest, request); !mistake.isEmpty()) return Usage(mistake);

    // Fonts and picture decoders need an application object; no display is used.
    std::unique_ptr<QGuiApplication> app;
    static int argc = 1;
    static QByteArray program = args.value(0, kProgram).toLocal8Bit();
    static char* argv[] = {program.data(), nullptr};
    if (!QGuiApplication::instance()) {
        // Qt's own remarks (a missing runtime folder and the like) would break
        // the one line a conversion writes.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type == QtFatalMsg) QTextStream(stderr) << message << Qt::endl;
        });
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    return Run(request);
}

QString TraceHelpText() {
    return QStringLiteral(
        "  --trace PICTURE OUT.kvt [--lines] [--invert] [--threshold 0..255] [--detail 0..20]\n"
        "          [--size 10..255]\n"
        "                          Trace the outline of the dark parts of a picture (the light parts\n"
        "                          with --invert; the threshold is chosen by itself unless given) as\n"
        "                          one 256-point picture, SIZE units across (200 by default); with\n"
        "                          --lines, a line drawing along the middle of its strokes. Parts\n"
        "                          smaller than a square of DETAIL units (1.5 by default) are left out.\n"
        "  --text TEXT OUT.kvt [--font FAMILY] [--bold] [--size 10..255]\n"
        "                          Trace a line of text in a font family (the default one unless\n"
        "                          given) as one 256-point picture, SIZE units across.\n");
}
