// The open-picture dialog's filters: the formats pictures are traced from
// (pictureformat.h tells them by content) that the image reader has, and SVG,
// which the SVG library draws.
#include "picture/picturefilter.h"

#include <QCoreApplication>
#include <QImageReader>
#include <QStringList>

namespace lp {

namespace {

struct Format {
    const char* title;
    const char* reader;  // the image reader's name; none for SVG
    const char* patterns;
};

// In the order the dialog lists them.
constexpr Format kFormats[] = {
    {"BMP", "bmp", "*.bmp *.dib"},    {"GIF", "gif", "*.gif"},
    {"ICO", "ico", "*.ico *.cur"},    {"JPEG", "jpeg", "*.jpg *.jpeg *.jpe *.jfif"},
    {"PNG", "png", "*.png"},          {"PBM, PGM, PPM", "ppm", "*.pbm *.pgm *.ppm *.pnm"},
    {"SVG", nullptr, "*.svg *.svgz"}, {"TIFF", "tiff", "*.tif *.tiff"},
    {"WebP", "webp", "*.webp"},
};

}  // namespace

QString PictureDialogFilter() {
    const auto supported = QImageReader::supportedImageFormats();
    QStringList all, each;
    for (const Format& format : kFormats) {
        if (format.reader && !supported.contains(format.reader)) continue;
        const QString patterns = QString::fromLatin1(format.patterns);
        all << patterns;
        each << QStringLiteral("%1 (%2)").arg(QString::fromLatin1(format.title), patterns);
    }
    QStringList filters{QCoreApplication::translate("Picture", "Все картинки (%1)").arg(all.join(u' '))};
    filters << each << QCoreApplication::translate("Picture", "Все файлы (*)");
    return filters.join(QStringLiteral(";;"));
}

}  // namespace lp
