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
    bool bold = false;
    std::optional<lp::Ink> ink;
    std::optional<lp::TraceOptions::Mode> drawing;  // --outline or --lines
    std::optional<int> threshold, parts;
    int size = 200;
};

QString Tr(const char* text) {
    return QCoreApplication::translate("TraceCommand", text);
}

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
        } else if (arg == QLatin1String("--invert") || arg == QLatin1String("--ink")) {
            lp::Ink ink = lp::Ink::Light;
            if (arg == QLatin1String("--ink")) {
                const QString name = value().value_or(QString());
                if (name == QLatin1String("auto"))
                    ink = lp::Ink::Auto;
                else if (name == QLatin1String("dark"))
                    ink = lp::Ink::Dark;
                else if (name != QLatin1String("light"))
                    return Tr("после --ink нужно auto, dark или light");
            }
            if (request.ink && *request.ink != ink) return Tr("выберите что-то одно: --ink или --invert");
            request.ink = ink;
        } else if (arg == QLatin1String("--lines") || arg == QLatin1String("--outline")) {
            const auto drawing = arg == QLatin1String("--lines") ? lp::TraceOptions::Mode::Lines
                                                                 : lp::TraceOptions::Mode::Outline;
            if (request.drawing && *request.drawing != drawing)
                return Tr("выберите что-то одно: --outline или --lines");
            request.drawing = drawing;
        } else if (arg == QLatin1String("--parts")) {
            if (!(request.parts = number(1, 1000))) return Tr("после --parts нужно число от 1 до 1000");
        } else if (arg == QLatin1String("--bold")) {
            request.bold = true;
        } else if (arg == QLatin1String("--threshold")) {
            if (!(request.threshold = number(0, 255)))
                return QStringLiteral("после --threshold нужно число от 0 до 255");
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
        return Tr(
            "ожидается: --trace КАРТИНКА ВЫХОД.kvt [--ink auto|dark|light] [--outline|--lines] "
            "[--parts N] [--threshold 0..255] [--size 10..255]");
    if (request.mode == kText &&
        (request.paths.size() != 1 || request.ink || request.threshold || request.drawing || request.parts))
        return Tr("ожидается: --text ТЕКСТ ВЫХОД.kvt [--font ШРИФТ] [--bold] [--size 10..255]");
    return {};
}

int Write(const QString& out, const lp::TraceResult& result) {
    for (const QString& note : result.notes) Line(note);
    if (const QString left = lp::LeftOutSummary(result, true); !left.isEmpty())
        Line(Tr("предупреждение: ") + left);
    else if (result.detailLost)
        Line(Tr("предупреждение: 256 точек не удерживают всех подробностей, отклонение до %1 ед.; меньше "
                "частей: --parts N, пропускать мелочь: --detail")
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
        const lp::TraceResult result = lp::TraceText(request.text, request.font, request.bold, request.size);
        if (!result.ok) {
            for (const QString& note : result.notes) Line(note);
            return Fail(result.error);
        }
        return Write(request.paths[0], result);
    }
    const QString& picture = request.paths[0];
    const lp::PictureResult read = lp::LoadPicturePreview(picture, kTraceBox);
    if (!read) return Fail(picture + QStringLiteral(": ") + read.error);
    lp::TraceOptions options;
    options.mask.ink = request.ink.value_or(lp::Ink::Auto);
    options.mode = request.drawing.value_or(lp::TraceOptions::Mode::Auto);
    if (request.threshold) {
        options.mask.autoThreshold = false;
        options.mask.threshold = *request.threshold;
    }
    const lp::TraceParts found =
        lp::FindImageParts(read.image, options, lp::TracePlacement::Fit(request.size));
    lp::PartChoice choice;
    choice.largest = request.parts.value_or(0);
    const lp::TraceResult result = lp::RouteParts(found, choice);
    if (!result.ok) {
        QString error = picture + QStringLiteral(": ") + result.error;
        if (result.failure == lp::TraceFailure::NoInk)
            error += found.inkUsed == lp::Ink::Light ? QStringLiteral(" (--ink dark)")
                                                     : QStringLiteral(" (--ink light)");
        return Fail(error);
    }
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
        "  --trace PICTURE OUT.kvt [--ink auto|dark|light] [--outline|--lines] [--parts N]\n"
        "          [--threshold 0..255] [--size 10..255]\n"
        "                          Trace a picture as one 256-point picture, SIZE units across (200 by\n"
        "                          default). The ink is what does not hold most of the border (or the\n"
        "                          opaque part of a one-tone picture on a transparent ground) unless\n"
        "                          --ink says dark or light (--invert: light); the threshold is chosen\n"
        "                          by itself unless given. Each part is drawn by its outline or, when\n"
        "                          its strokes are thin, along their middle; --outline and --lines\n"
        "                          choose one way for all. What 256 points cannot hold, the least\n"
        "                          parts first, is left out; --parts keeps the N largest.\n"
        "  --text TEXT OUT.kvt [--font FAMILY] [--bold] [--size 10..255]\n"
        "                          Trace text in a font family (the default one unless given) as one\n"
        "                          256-point picture, SIZE units across; line breaks in TEXT start\n"
        "                          new lines, each centred.\n");
}
