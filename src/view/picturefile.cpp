#include "view/picturefile.h"

#include <zlib.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMap>
#include <QStringList>
#include <QXmlStreamReader>
#include <algorithm>
#include <climits>
#include <memory>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "figure/regularfile.h"
#endif

namespace lp {

namespace {

// An SVG file, unpacked, is not read beyond this.
constexpr qsizetype kSvgTextLimit = 16 * 1024 * 1024;

QString TooLargeFile(qint64 size) {
    return QStringLiteral("Файл слишком большой: %1 МБ (картинка-подложка не больше %2 МБ)")
        .arg((size + 1024 * 1024 - 1) / (1024 * 1024))
        .arg(kPictureFileLimit / (1024 * 1024));
}

PictureResult Failure(const QString& reason) {
    return {QImage(), reason, QSize()};
}

#ifdef Q_OS_UNIX
QString SystemError(const QString& what, int err = errno) {
    return what + QStringLiteral(": ") + qt_error_string(err);
}

// Reads a regular file whole. Anything else (a pipe, a device, a folder) is
// refused before it is opened, and the open itself never waits: opening a
// pipe or a terminal could block or have side effects.
QString ReadRegularFile(const QString& path, QByteArray& bytes) {
    lp::RegularFile file;
    switch (file.open(QFile::encodeName(path))) {
        case lp::RegularFile::Opened:
            break;
        case lp::RegularFile::LookFailed:
            return file.error() == ENOENT ? QStringLiteral("Файл не найден")
                                          : SystemError(QStringLiteral("Нет доступа к файлу"), file.error());
        case lp::RegularFile::NotRegular:
            return S_ISDIR(file.kind()) ? QStringLiteral("Это папка, а не файл")
                                        : QStringLiteral("Это не обычный файл, а канал или устройство");
        case lp::RegularFile::OpenFailed:
            return SystemError(QStringLiteral("Не удалось открыть файл"), file.error());
    }
    if (file.size() > kPictureFileLimit) return TooLargeFile(file.size());
    if (file.size() == 0) return QStringLiteral("Файл пуст");

    bytes.resize(static_cast<qsizetype>(file.size()));
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(file.fd(), bytes.data() + got, static_cast<size_t>(bytes.size() - got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return SystemError(QStringLiteral("Ошибка чтения файла"));
        if (n == 0) break;  // shrank while being read: decode what is there
        got += n;
    }
    bytes.truncate(got);
    if (bytes.isEmpty()) return QStringLiteral("Файл пуст");
    return {};
}
#else
QString ReadRegularFile(const QString& path, QByteArray& bytes) {
    const QFileInfo info(path);
    if (!info.exists()) return QStringLiteral("Файл не найден");
    if (info.isDir()) return QStringLiteral("Это папка, а не файл");
    if (!info.isFile()) return QStringLiteral("Это не обычный файл, а канал или устройство");
    if (info.size() > kPictureFileLimit) return TooLargeFile(info.size());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("Не удалось открыть файл: ") + file.errorString();
    bytes = file.read(kPictureFileLimit);
    if (file.error() != QFileDevice::NoError)
        return QStringLiteral("Ошибка чтения файла: ") + file.errorString();
    if (bytes.isEmpty()) return QStringLiteral("Файл пуст");
    return {};
}
#endif

// Unpacks gzip data of at most `limit` bytes.
bool Gunzip(const QByteArray& packed, qsizetype limit, QByteArray& out) {
    z_stream stream{};
    if (inflateInit2(&stream, 15 + 16) != Z_OK) return false;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.constData()));
    stream.avail_in = static_cast<uInt>(packed.size());
    out.clear();
    int status = Z_OK;
    while (status == Z_OK) {
        if (out.size() >= limit) break;
        const qsizetype done = out.size();
        const qsizetype chunk = std::min<qsizetype>(256 * 1024, limit - done);
        out.resize(done + chunk);
        stream.next_out = reinterpret_cast<Bytef*>(out.data() + done);
        stream.avail_out = static_cast<uInt>(chunk);
        status = inflate(&stream, Z_NO_FLUSH);
        out.resize(done + chunk - stream.avail_out);
    }
    inflateEnd(&stream);
    return status == Z_STREAM_END;
}

// The SVG reader fetches the files named by <image> elements, whatever they
// are, pipes included. Only pictures carried inside the file are accepted.
bool SvgNamesOtherFiles(const QByteArray& svg) {
    QXmlStreamReader xml(svg);
    xml.setNamespaceProcessing(false);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"image") continue;
        const auto attributes = xml.attributes();
        for (const QXmlStreamAttribute& attribute : attributes) {
            const QStringView name = attribute.qualifiedName();
            if (name != u"href" && !name.endsWith(u":href")) continue;
            const QStringView target = attribute.value().trimmed();
            if (!target.startsWith(u"data:", Qt::CaseInsensitive) && !target.startsWith(u'#')) return true;
        }
    }
    return false;
}

// Skips GIF data sub-blocks; false when the data ends before their terminator.
bool SkipGifBlocks(const uchar* p, qsizetype n, qsizetype& i) {
    while (i < n) {
        const int size = p[i++];
        if (size == 0) return true;
        i += size;
    }
    return false;
}

// A JPEG is complete when its end marker follows the last scan.
bool JpegComplete(const uchar* p, qsizetype n) {
    qsizetype i = 2;
    while (i < n) {
        while (i < n && p[i] != 0xFF) ++i;  // stray bytes: the decoder skips them too
        while (i < n && p[i] == 0xFF) ++i;
        if (i >= n) return false;
        const uchar marker = p[i++];
        if (marker == 0xD9) return true;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length
        if (i + 2 > n) return false;
        i += (p[i] << 8) | p[i + 1];
        if (marker != 0xDA) continue;
        // Entropy-coded data up to the next marker other than a restart.
        while (i + 1 < n && !(p[i] == 0xFF && p[i + 1] != 0x00 && (p[i + 1] < 0xD0 || p[i + 1] > 0xD7))) ++i;
    }
    return false;
}

// A GIF is complete enough when its first image's data is all there.
bool GifComplete(const uchar* p, qsizetype n) {
    if (n < 13) return false;
    qsizetype i = 13;
    if (p[10] & 0x80) i += 3 * (qsizetype(1) << ((p[10] & 7) + 1));
    while (i < n) {
        const uchar block = p[i++];
        if (block == 0x21) {  // extension: label, then data sub-blocks
            ++i;
            if (!SkipGifBlocks(p, n, i)) return false;
        } else if (block == 0x2C) {  // image: descriptor, colour table, code size, data
            if (i + 9 > n) return false;
            const uchar flags = p[i + 8];
            i += 9;
            if (flags & 0x80) i += 3 * (qsizetype(1) << ((flags & 7) + 1));
            ++i;
            return SkipGifBlocks(p, n, i);
        } else {
            return true;  // the trailer or something the decoder judges itself
        }
    }
    return false;
}

struct BmpLayout {
    qint64 offset = 0, width = 0, height = 0, bits = 0, compression = 0;
    bool known = false;
};

BmpLayout ReadBmpLayout(const uchar* p, qsizetype n) {
    BmpLayout bmp;
    if (n < 26 || p[0] != 'B' || p[1] != 'M') return bmp;
    auto u16 = [p](int at) { return qint64(p[at] | (p[at + 1] << 8)); };
    auto u32 = [p](int at) {
        return qint64(quint32(p[at] | (p[at + 1] << 8) | (p[at + 2] << 16)) | (quint32(p[at + 3]) << 24));
    };
    bmp.offset = u32(10);
    const qint64 header = u32(14);
    if (header == 12) {
        bmp.width = u16(18);
        bmp.height = u16(20);
        bmp.bits = u16(24);
    } else if (header >= 40 && n >= 34) {
        bmp.width = std::abs(qint64(qint32(u32(18))));
        bmp.height = std::abs(qint64(qint32(u32(22))));
        bmp.bits = u16(28);
        bmp.compression = u32(30);
    } else {
        return bmp;
    }
    bmp.known = true;
    return bmp;
}

// An uncompressed BMP holds all its rows.
bool BmpComplete(const uchar* p, qsizetype n) {
    const BmpLayout bmp = ReadBmpLayout(p, n);
    if (!bmp.known) return n >= 26;
    if (bmp.compression != 0 && bmp.compression != 3 && bmp.compression != 6) return true;  // packed rows
    const qint64 width = std::min<qint64>(bmp.width, 1 << 24), height = std::min<qint64>(bmp.height, 1 << 24);
    return n >= bmp.offset + (width * bmp.bits + 31) / 32 * 4 * height;
}

// The size the file declares: the reader's, or for a bitmap whose header the
// reader turns down, the header's own.
QSize DeclaredSize(const QImageReader& reader, const QByteArray& bytes) {
    const QSize size = reader.size();
    if (size.isValid()) return size;
    const BmpLayout bmp = ReadBmpLayout(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size());
    if (bmp.known)
        return QSize(int(std::min<qint64>(bmp.width, INT_MAX)), int(std::min<qint64>(bmp.height, INT_MAX)));
    return {};
}

bool Complete(const QByteArray& bytes) {
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype n = bytes.size();
    if (n >= 3 && p[0] == 0xFF && p[1] == 0xD8 && p[2] == 0xFF) return JpegComplete(p, n);
    if (bytes.startsWith("GIF8")) return GifComplete(p, n);
    if (bytes.startsWith("BM")) return BmpComplete(p, n);
    return true;  // the other decoders fail on data that ends early
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

QString Unreadable(const QImageReader& reader) {
    return QStringLiteral("Не удалось прочитать картинку: ") + reader.errorString();
}

PictureResult DecodeSvg(const QByteArray& bytes, const QSize& box) {
    QByteArray svg = bytes;
    if (bytes.startsWith("\x1f\x8b") && !Gunzip(bytes, kSvgTextLimit, svg))
        return Failure(QStringLiteral("Сжатый файл SVG повреждён или распаковывается больше чем в %1 МБ")
                           .arg(kSvgTextLimit / (1024 * 1024)));
    if (svg.size() > kSvgTextLimit) return Failure(TooLargeFile(svg.size()));
    if (SvgNamesOtherFiles(svg))
        return Failure(
            QStringLiteral("Картинка SVG ссылается на другие файлы; такие картинки не загружаются"));
    QBuffer buffer(&svg);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "svg");
    // Drawn at the kept size whatever size it declares.
    const QSize declared = reader.size();
    const QSize side = box.isValid() ? box : QSize(kPictureKeptSide, kPictureKeptSide);
    QSize size = declared.isEmpty() ? side : declared.scaled(side, Qt::KeepAspectRatio);
    reader.setScaledSize(size.expandedTo(QSize(1, 1)));
    const QImage image = reader.read();
    if (image.isNull()) return Failure(Unreadable(reader));
    return {Kept(image, box), {}, declared.isEmpty() ? image.size() : declared};
}

// Decodes with the loader's rules, or with a valid `box`, fitted in it.
PictureResult Decode(const QByteArray& bytes, const QString& suffix, const QSize& box) {
    QByteArray data = bytes;  // the reader's device needs a buffer of its own
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    // The content decides (a JPEG named .png is still a JPEG); the extension
    // serves formats without a signature of their own.
    auto reader = std::make_unique<QImageReader>(&buffer, suffix.toLower().toLatin1());
    reader->setDecideFormatFromContent(true);
    if (!reader->canRead()) {
        buffer.seek(0);
        reader = std::make_unique<QImageReader>(&buffer, suffix.toLower().toLatin1());
    }
    if (!reader->canRead()) return Failure(QStringLiteral("Это не картинка или её формат не поддерживается"));
    const QByteArray format = reader->format();
    if (format == "svg" || format == "svgz") return DecodeSvg(bytes, box);

    const QSize declared = DeclaredSize(*reader, bytes);
    if (declared.isValid() && qint64(declared.width()) * declared.height() > kPicturePixelLimit)
        return Failure(QStringLiteral("Картинка слишком велика: %1 × %2 точек (не больше %3 миллионов точек)")
                           .arg(declared.width())
                           .arg(declared.height())
                           .arg(kPicturePixelLimit / 1'000'000));
    if (!Complete(bytes))
        return Failure(QStringLiteral("Файл картинки обрезан: его данные кончаются раньше времени"));
    if (declared.isValid() && KeptSize(declared, box) != declared &&
        reader->supportsOption(QImageIOHandler::ScaledSize))
        reader->setScaledSize(KeptSize(declared, box));
    reader->setAutoTransform(true);  // a photo stands as it was taken
    const QImage image = reader->read();
    if (image.isNull()) return Failure(Unreadable(*reader));
    QSize shown = declared.isValid() ? declared : image.size();
    if (declared.isValid() && (reader->transformation() & QImageIOHandler::TransformationRotate90))
        shown.transpose();
    return {Kept(image, box), {}, shown};
}

PictureResult Load(const QString& path, const QSize& box) {
    QByteArray bytes;
    const QString error = ReadRegularFile(path, bytes);
    if (!error.isEmpty()) return Failure(error);
    return Decode(bytes, QFileInfo(path).suffix(), box);
}

void SetAllocationLimit() {
    QImageReader::setAllocationLimit(kPictureAllocationLimitMb);
}

}  // namespace

// The reader's limit is global: set once as the application starts, before any decode.
Q_COREAPP_STARTUP_FUNCTION(SetAllocationLimit)

QSize KeptPictureSize(const QSize& declared) {
    return QSize(std::min(declared.width(), kPictureKeptSide), std::min(declared.height(), kPictureKeptSide));
}

PictureResult DecodePicture(const QByteArray& bytes, const QString& suffix) {
    return Decode(bytes, suffix, QSize());
}

PictureResult LoadPicture(const QString& path) {
    return Load(path, QSize());
}

PictureResult LoadPicturePreview(const QString& path, const QSize& box) {
    return Load(path, box.expandedTo(QSize(1, 1)));
}

QString PictureDialogFilter() {
    // Spellings of one format share an entry.
    auto key = [](const QByteArray& format) -> QByteArray {
        if (format == "jpg" || format == "jpe" || format == "jfif") return "jpeg";
        if (format == "tif") return "tiff";
        return format;
    };
    QMap<QByteArray, QStringList> groups;
    QStringList all;
    const auto formats = QImageReader::supportedImageFormats();
    for (const QByteArray& format : formats) {
        const QString pattern = QStringLiteral("*.") + QString::fromLatin1(format);
        groups[key(format)] << pattern;
        all << pattern;
    }
    QStringList filters{QStringLiteral("Все картинки (%1)").arg(all.join(u' '))};
    for (auto it = groups.cbegin(); it != groups.cend(); ++it)
        filters << QStringLiteral("%1 (%2)").arg(QString::fromLatin1(it.key()).toUpper(),
                                                 it.value().join(u' '));
    filters << QStringLiteral("Все файлы (*)");
    return filters.join(QStringLiteral(";;"));
}

}  // namespace lp
