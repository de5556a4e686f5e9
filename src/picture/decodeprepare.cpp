#include "picture/decodeprepare.h"

#include <fontconfig/fontconfig.h>

// GLib names a field as Qt names a keyword.
#pragma push_macro("signals")
#undef signals
#include <gdk-pixbuf/gdk-pixbuf.h>
#pragma pop_macro("signals")

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include "picture/svgrender.h"

namespace lp {

namespace {

// Asks the reader for a handler of `format` once, on no data: its plugin is
// loaded then, and the plugin folders are looked through.
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

// From here on the faces found are the only fonts there are: the generic
// families name the system's choices, any other family not there falls back
// to sans-serif.
void KeepOnly(const Faces& faces) {
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
    for (const QString& face : faces.files)
        FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(QFile::encodeName(face).constData()));
    FcConfigSetCurrent(config);
    FcConfigDestroy(config);
}

// Text drawn once in each face, so the faces are open and whatever drawing
// text needs is made now; the library keeps them for the drawing to come.
void OpenFaces() {
    QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' width='64' height='64'>";
    for (const char* family : kGenericFamilies)
        for (const char* weight : {"normal", "bold"})
            svg += QByteArray("<text y='32' font-size='12' font-family='") + family + "' font-weight='" +
                   weight + "'>Ag \xd0\x96\xd0\xb6</text>";  // Cyrillic too
    RenderSvg(svg + "</svg>", QSize(64, 64));
}

// The picture loaders of the pictures an SVG drawing may carry, loaded now.
void LoadPictureLoaders() {
    for (const char* type : {"png", "jpeg", "gif", "bmp", "tiff", "ico", "pnm", "webp"})
        if (GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type(type, nullptr)) {
            gdk_pixbuf_loader_close(loader, nullptr);
            g_object_unref(loader);
        }
}

}  // namespace

void PrepareDecoding(const QByteArray& format) {
    if (format != "svg" && format != "svgz") {
        if (!format.isEmpty()) LoadReader(format);  // none is refused unread
        return;
    }
    KeepOnly(SystemFaces());
    OpenFaces();
    LoadPictureLoaders();
}

}  // namespace lp
