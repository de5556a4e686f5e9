// Decoding in the caller's own memory: the file through the file layer, the
// guards against cut and hostile data, then Qt's image reader (SVG:
// svgrender.h) at the size kept.
#include "picture/decodehere.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
#include <algorithm>
#include <memory>

#include "files/regularfile.h"
#include "picture/picturefile.h"
#include "picture/pictureformat.h"
#include "picture/pictureguards.h"
#include "picture/svgrefs.h"
#include "picture/svgrender.h"

namespace lp {

namespace {

// An SVG file, unpacked, is not read beyond this.
constexpr qsizetype kSvgTextLimit = 16 * 1024 * 1024;

qint64 Megabytes(qint64 bytes) {
    return (bytes + 1024 * 1024 - 1) / (1024 * 1024);
}

QString TooLargeFile(qint64 size) {
    return QCoreApplication::translate("Picture",
                                       "Файл слишком большой: %1 МБ (картинка-подложка не больше %2 МБ)")
        .arg(Megabytes(size))
        .arg(Megabytes(kPictureFileLimit));
}

PictureResult Failure(const QString& reason, PictureRefusal refusal = PictureRefusal::Other) {
    return {QImage(), reason, QSize(), refusal};
}

PictureResult NotAPicture() {
    return Failure(QCoreApplication::translate("Picture", "Это не картинка или её формат не поддерживается"),
                   PictureRefusal::NotPicture);
}

PictureResult Cut() {
    return Failure(
        QCoreApplication::translate("Picture", "Файл картинки обрезан: его данные кончаются раньше времени"),
        PictureRefusal::Cut);
}

// Reads a regular file opened (a pipe, a device or a folder is refused
// unopened) whole, without waiting on anything else.
QString ReadPictureBytes(RegularFile& file, QByteArray& bytes) {
    if (file.size() > kPictureFileLimit) return TooLargeFile(file.size());
    // A file that shrank while being read is decoded as far as it goes.
    if (const FileResult read = file.readAll(bytes, kPictureFileLimit); !read) return read.error;
    if (bytes.isEmpty()) return QCoreApplication::translate("Picture", "Файл пуст");
    return {};
}

// The size the file declares: the reader's, or for a bitmap whose header the
// reader turns down, the header's own.
QSize DeclaredSize(const QImageReader& reader, const QByteArray& bytes) {
    const QSize size = reader.size();
    return size.isValid() ? size : BmpHeaderSize(bytes);
}

// `size` reduced to fit in `box`, proportions kept.
QSize Fitted(const QSize& size, const QSize& box) {
    if (size.width() <= box.width() && size.height() <= box.height()) return size;
    return size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

// The size kept of a picture of `size`: the loader's, or fitted in a preview's `box`.
QSize KeptSize(const QSize& size, const QSize& box) {
    return box.isValid() ? Fitted(size, box) : KeptPictureSize(size);
}

QImage Kept(QImage image, const QSize& box) {
    const QSize size = KeptSize(image.size(), box);
    if (size != image.size()) image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

QString Unreadable(const QString& why) {
    return QCoreApplication::translate("Picture", "Не удалось прочитать картинку: ") + why;
}

PictureResult DecodeSvg(const QByteArray& bytes, const QSize& box) {
    QByteArray svg = bytes;
    if (bytes.startsWith("\x1f\x8b")) {
        if (const Unpacked unpacked = Gunzip(bytes, kSvgTextLimit, svg); unpacked == Unpacked::Cut)
            return Cut();
        else if (unpacked != Unpacked::Whole)
            return Failure(QCoreApplication::translate(
                               "Picture", "Сжатый файл SVG повреждён или распаковывается больше чем в %1 МБ")
                               .arg(Megabytes(kSvgTextLimit)));
    }
    if (svg.size() > kSvgTextLimit)
        return Failure(QCoreApplication::translate(
                           "Picture", "Файл слишком большой: %1 МБ (картинка SVG не больше %2 МБ)")
                           .arg(Megabytes(svg.size()))
                           .arg(Megabytes(kSvgTextLimit)));
    if (const SvgCheck check = CheckSvgReferences(svg); check.verdict == SvgCheck::Foreign)
        return Failure(
            QCoreApplication::translate("Picture",
                                        "Картинка SVG ссылается на то, чего в ней нет: %1; такие картинки не "
                                        "загружаются")
                .arg(check.detail));
    else if (check.verdict == SvgCheck::Broken)
        return Failure(QCoreApplication::translate("Picture", "Файл SVG повреждён: ") + check.detail);
    else if (check.verdict == SvgCheck::Cut)
        return Cut();
    else if (check.verdict == SvgCheck::NotSvg)
        return NotAPicture();
    // Drawn at the kept size whatever size it declares.
    const SvgPicture drawn = RenderSvg(svg, box.isValid() ? box : QSize(kPictureKeptSide, kPictureKeptSide));
    if (drawn.image.isNull()) return Failure(Unreadable(drawn.error));
    return {Kept(drawn.image, box), {}, drawn.declared.isEmpty() ? drawn.image.size() : drawn.declared};
}

// Decodes with the loader's rules, or with a valid `box`, fitted in it. The
// content alone tells the format: a JPEG named .png is still a JPEG.
PictureResult Decode(const QByteArray& bytes, const QSize& box) {
    const QByteArray format = PictureFormatOf(bytes);
    if (format == "svg" || format == "svgz") return DecodeSvg(bytes, box);
    QByteArray data = bytes;  // the reader's device needs a buffer of its own
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    auto reader = std::make_unique<QImageReader>(&buffer, format);
    if (format.isEmpty() || !reader->canRead()) return NotAPicture();

    const QSize declared = DeclaredSize(*reader, bytes);
    if (declared.isValid() && qint64(declared.width()) * declared.height() > kPicturePixelLimit)
        return Failure(QCoreApplication::translate(
                           "Picture", "Картинка слишком велика: %1 × %2 точек (не больше %3 миллионов точек)")
                           .arg(declared.width())
                           .arg(declared.height())
                           .arg(kPicturePixelLimit / 1'000'000));
    if (!Complete(bytes)) return Cut();
    if (declared.isValid() && KeptSize(declared, box) != declared &&
        reader->supportsOption(QImageIOHandler::ScaledSize))
        reader->setScaledSize(KeptSize(declared, box));
    reader->setAutoTransform(true);  // a photo stands as it was taken
    const QImage image = reader->read();
    if (image.isNull()) return Failure(Unreadable(reader->errorString()));
    QSize shown = declared.isValid() ? declared : image.size();
    if (declared.isValid() && (reader->transformation() & QImageIOHandler::TransformationRotate90))
        shown.transpose();
    return {Kept(image, box), {}, shown};
}

}  // namespace

PictureResult LoadPictureHere(const QString& path, const QSize& box) {
    RegularFile file;
    if (const FileResult opened = file.open(path); !opened) return Failure(opened.error);
    return LoadPictureHere(file, box);
}

PictureResult LoadPictureHere(RegularFile& file, const QSize& box) {
    QByteArray bytes;
    const QString error = ReadPictureBytes(file, bytes);
    if (!error.isEmpty()) return Failure(error);
    return Decode(bytes, box);
}

}  // namespace lp
