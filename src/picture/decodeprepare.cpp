#include "picture/decodeprepare.h"

#include <fontconfig/fontconfig.h>

#include <QBuffer>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include "files/regularfile.h"

namespace lp {

namespace {

// A font file larger than this is not read.
constexpr qint64 kFontFileLimit = 64 * 1024 * 1024;

// Asks the reader for a handler of `format` once, on no data: its plugin is
// loaded then, and the plugin folders are looked through. An empty format
// asks every plugin, as a picture in an SVG drawing does.
void LoadReader(const QByteArray& format) {
    QBuffer nothing;
    nothing.open(QIODevice::ReadOnly);
    QImageReader reader(&nothing, format);
    reader.canRead();
}

constexpr const char* kGenericFamilies[] = {"sans-serif", "serif", "monospace"};

// The faces the system draws its generic families in, regular and bold, as
// its font settings choose them.
struct Faces {
    QStringList files;
    QString families[3];  // chosen for kGenericFamilies
};

Faces SystemFaces() {
    Faces faces;
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config) return faces;
    for (int i = 0; i < 3; ++i)
        for (const char* weight : {"", ":bold"}) {
            FcPattern* pattern = FcNameParse(
                reinterpret_cast<const FcChar8*>((QByteArray(kGenericFamilies[i]) + weight).data()));
            if (!pattern) continue;
            FcConfigSubstitute(config, pattern, FcMatchPattern);
            FcDefaultSubstitute(pattern);
            FcResult result;
            if (FcPattern* match = FcFontMatch(config, pattern, &result)) {
                FcChar8 *file = nullptr, *family = nullptr;
                if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
                    FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch) {
                    const QString path = QFile::decodeName(reinterpret_cast<const char*>(file));
                    if (!faces.files.contains(path)) faces.files << path;
                    if (!*weight)
                        faces.families[i] = QString::fromUtf8(reinterpret_cast<const char*>(family));
                }
                FcPatternDestroy(match);
            }
            FcPatternDestroy(pattern);
        }
    FcConfigDestroy(config);
    return faces;
}

// From here on fonts are found among those the application adds alone: the
// generic families name the system's choices, any other family not there
// falls back to sans-serif.
void ForgetSystemFonts(const Faces& faces) {
    QByteArray rules = "<fontconfig>";
    for (int i = 0; i < 3; ++i)
        if (!faces.families[i].isEmpty())
            rules += QByteArray("<alias binding='same'><family>") + kGenericFamilies[i] +
                     "</family><prefer><family>" + faces.families[i].toHtmlEscaped().toUtf8() +
                     "</family></prefer></alias>";
    rules +=
        "<match target='pattern'><edit name='family' mode='append_last'><string>sans-serif</string>"
        "</edit></match></fontconfig>";
    FcConfig* config = FcConfigCreate();
    FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(rules.constData()), FcFalse);
    FcConfigSetCurrent(config);
    FcConfigDestroy(config);
}

// The faces read into memory are the only fonts the application knows: any
// family an SVG drawing names falls back to one of them.
void LoadFonts(const QStringList& faces) {
    QStringList families;
    for (const QString& face : faces) {
        RegularFile file;
        QByteArray bytes;
        if (!file.open(face) || !file.readAll(bytes, kFontFileLimit)) continue;
        families << QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFontFromData(bytes));
    }
    // Text drawn once in each, so whatever drawing text needs is made now.
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    for (const QString& family : std::as_const(families)) {
        painter.setFont(QFont(family));
        painter.drawText(0, 12, QStringLiteral("Ag"));
    }
}

}  // namespace

std::unique_ptr<QGuiApplication> PrepareDecoding(const QByteArray& format, int& argc, char** argv) {
    if (format != "svg" && format != "svgz") {
        if (!format.isEmpty()) LoadReader(format);  // none is refused unread
        return nullptr;
    }
    const Faces faces = SystemFaces();
    ForgetSystemFonts(faces);
    // The offscreen platform, on its own: no display, no theme of the desktop's.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QPA_OFFSCREEN_NO_GLX", "1");
    qunsetenv("QT_QPA_PLATFORMTHEME");
    auto application = std::make_unique<QGuiApplication>(argc, argv);
    LoadFonts(faces.files);
    LoadReader({});
    return application;
}

}  // namespace lp
