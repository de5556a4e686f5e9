#include "figure/ilda.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "figure/pathfigure.h"

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "figure/regularfile.h"
#endif

namespace lp {

namespace {

constexpr char kMagic[4] = {'I', 'L', 'D', 'A'};
constexpr int kExportPoints = PointCount + 1;  // the first point again closes the contour
const QByteArray kDefaultName = QByteArrayLiteral("laserpic");

// Bytes per record of each format code; 0 for codes the format does not have.
int RecordSize(int format) {
    static constexpr int sizes[] = {8, 6, 3, 3, 10, 8};
    return format >= 0 && format < 6 ? sizes[format] : 0;
}

bool IsFrameFormat(int format) {
    return format == 0 || format == 1 || format == 4 || format == 5;
}

int BigEndian16(const char* p) {
    return (static_cast<uint8_t>(p[0]) << 8) | static_cast<uint8_t>(p[1]);
}

int SignedBigEndian16(const char* p) {
    return static_cast<int16_t>(static_cast<uint16_t>(BigEndian16(p)));
}

void AppendBigEndian16(QByteArray& out, int value) {
    out.append(static_cast<char>((value >> 8) & 0xFF));
    out.append(static_cast<char>(value & 0xFF));
}

// A name field: up to the first NUL, trailing blanks dropped.
QString NameField(const char* p) {
    const int length = static_cast<int>(strnlen(p, 8));
    return QString::fromLatin1(p, length).trimmed();
}

void AppendHeader(QByteArray& out, const QByteArray& name, int records, int number, int total) {
    out.append(kMagic, 4);
    out.append("\0\0\0\5", 4);
    out.append(name.leftJustified(8, ' ', true));
    out.append(kDefaultName.leftJustified(8, ' ', true));
    AppendBigEndian16(out, records);
    AppendBigEndian16(out, number);
    AppendBigEndian16(out, total);
    out.append('\0');  // projector
    out.append('\0');
}

QString At(qint64 offset) {
    return QStringLiteral(" (смещение %1)").arg(offset);
}

FileResult Fail(const QString& reason) {
    return {false, reason};
}

}  // namespace

bool IldaBytes::read(qint64 offset, char* out, qint64 n) {
    if (offset < 0 || n < 0 || offset + n > bytes_.size()) return false;
    std::memcpy(out, bytes_.data() + offset, static_cast<size_t>(n));
    bytesRead_ += n;
    return true;
}

IldaFile::~IldaFile() {
#ifdef Q_OS_UNIX
    if (fd_ >= 0) ::close(fd_);
#endif
}

FileResult IldaFile::open(const QString& path) {
    if (QFileInfo(path).isDir()) return Fail(QStringLiteral("Это папка, а не файл"));
#ifdef Q_OS_UNIX
    // Never waits: a pipe or a device is refused before and after opening.
    RegularFile file;
    switch (file.open(QFile::encodeName(path))) {
        case RegularFile::Opened:
            break;
        case RegularFile::NotRegular:
            return Fail(S_ISDIR(file.kind()) ? QStringLiteral("Это папка, а не файл")
                                             : QStringLiteral("Это не обычный файл, а канал или устройство"));
        default:
            return Fail(QStringLiteral("Не удалось открыть файл: ") +
                        QString::fromLocal8Bit(std::strerror(file.error())));
    }
    size_ = file.size();
    fd_ = file.release();
    return {true, {}};
#else
    if (!QFileInfo(path).isFile()) return Fail(QStringLiteral("Это не обычный файл, а канал или устройство"));
    file_ = std::make_unique<QFile>(path);
    if (!file_->open(QIODevice::ReadOnly))
        return Fail(QStringLiteral("Не удалось открыть файл: ") + file_->errorString());
    size_ = file_->size();
    return {true, {}};
#endif
}

bool IldaFile::read(qint64 offset, char* out, qint64 n) {
#ifdef Q_OS_UNIX
    qint64 got = 0;
    while (got < n) {
        const ssize_t r =
            ::pread(fd_, out + got, static_cast<size_t>(n - got), static_cast<off_t>(offset + got));
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) {
            error_ = QStringLiteral("Ошибка чтения файла: ") + QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        if (r == 0) {
            error_ = QStringLiteral("Файл стал короче во время чтения");
            return false;
        }
        got += r;
        bytesRead_ += r;
    }
    return true;
#else
    if (!file_->seek(offset) || file_->read(out, n) != n) {
        error_ = QStringLiteral("Ошибка чтения файла: ") + file_->errorString();
        return false;
    }
    bytesRead_ += n;
    return true;
#endif
}

IldaScan ScanIlda(IldaSource& source) {
    IldaScan scan;
    const qint64 size = source.size();
    if (size == 0) {
        scan.result = Fail(QStringLiteral("Файл пуст"));
        return scan;
    }
    qint64 offset = 0;
    while (offset < size) {
        char header[IldaHeaderSize];
        const qint64 available = std::min<qint64>(IldaHeaderSize, size - offset);
        if (!source.read(offset, header, available)) {
            scan.result = Fail(source.error());
            return scan;
        }
        if (std::memcmp(header, kMagic, std::min<qint64>(4, available)) != 0) {
            scan.result = Fail(offset == 0 ? QStringLiteral("Это не файл ILDA: в начале нет подписи «ILDA»")
                                           : QStringLiteral("Нет подписи «ILDA» в заголовке") + At(offset));
            return scan;
        }
        if (available < IldaHeaderSize) {
            scan.result =
                Fail(QStringLiteral("Заголовок обрезан: %1 байт из 32").arg(available) + At(offset));
            return scan;
        }
        const int format = static_cast<uint8_t>(header[7]);
        const int recordSize = RecordSize(format);
        if (recordSize == 0) {
            scan.result = Fail(QStringLiteral("Неизвестный код формата %1").arg(format) + At(offset));
            return scan;
        }
        const int records = BigEndian16(header + 24);
        if (records == 0) break;  // the end header
        const qint64 data = qint64(records) * recordSize;
        const qint64 left = size - offset - IldaHeaderSize;
        if (data > left) {
            scan.result = Fail(QStringLiteral("Записей в заголовке: %1 (%2 байт), а до конца файла %3 байт")
                                   .arg(records)
                                   .arg(data)
                                   .arg(left) +
                               At(offset));
            return scan;
        }
        if (IsFrameFormat(format)) {
            IldaFrameInfo frame;
            frame.number = static_cast<int>(scan.frames.size()) + 1;
            frame.name = NameField(header + 8);
            frame.company = NameField(header + 16);
            frame.format = format;
            frame.pointCount = records;
            frame.recordsOffset = offset + IldaHeaderSize;
            scan.frames.append(frame);
        }
        offset += IldaHeaderSize + data;
    }
    scan.result = scan.frames.isEmpty() ? Fail(QStringLiteral("В файле нет кадров")) : FileResult{true, {}};
    return scan;
}

FileResult ReadIldaPoints(IldaSource& source, const IldaFrameInfo& frame, std::vector<IldaPoint>& points) {
    const int recordSize = RecordSize(frame.format);
    if (!IsFrameFormat(frame.format) || frame.pointCount <= 0) return Fail(QStringLiteral("Это не кадр"));
    QByteArray records(qsizetype(frame.pointCount) * recordSize, Qt::Uninitialized);
    if (!source.read(frame.recordsOffset, records.data(), records.size())) return Fail(source.error());
    const int statusAt = frame.format == 0 || frame.format == 4 ? 6 : 4;  // after Z in the 3-D formats
    points.resize(static_cast<size_t>(frame.pointCount));
    for (int i = 0; i < frame.pointCount; ++i) {
        const char* r = records.constData() + qsizetype(i) * recordSize;
        points[i] = {SignedBigEndian16(r), SignedBigEndian16(r + 2),
                     (static_cast<uint8_t>(r[statusAt]) & 0x40) != 0};
    }
    return {true, {}};
}

int16_t IldaFromX(uint8_t x) {
    return static_cast<int16_t>(std::clamp((x - 127) * 256, -32768, 32767));
}

int16_t IldaFromY(uint8_t y) {
    return static_cast<int16_t>(std::clamp((127 - y) * 256, -32768, 32767));
}

uint8_t XFromIlda(double x) {
    return static_cast<uint8_t>(std::clamp(127 + std::lround(x / 256.0), 0L, 255L));
}

uint8_t YFromIlda(double y) {
    return static_cast<uint8_t>(std::clamp(127 - std::lround(y / 256.0), 0L, 255L));
}

void IldaToFigure(const std::vector<IldaPoint>& points, Coords& X, Coords& Y) {
    size_t n = points.size();
    if (n == 0) {
        X.fill(127);
        Y.fill(127);
        return;
    }
    auto same = [](const IldaPoint& a, const IldaPoint& b) { return a.x == b.x && a.y == b.y; };
    if (n > 1 && same(points[n - 1], points[0])) --n;
    if (n == PointCount) {
        for (int i = 0; i < PointCount; ++i) {
            X[i] = XFromIlda(points[i].x);
            Y[i] = YFromIlda(points[i].y);
        }
        return;
    }
    // Any other path: 256 points along it in field units, its corners kept.
    Polyline path(n);
    for (size_t i = 0; i < n; ++i) path[i].p = QPointF(127 + points[i].x / 256.0, 127 - points[i].y / 256.0);
    PathToFigure(std::move(path), X, Y);
}

QByteArray IldaFrameName(const QString& pictureName) {
    QByteArray name;
    for (QChar c : pictureName)
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F) name.append(static_cast<char>(c.unicode()));
    name = name.trimmed().left(8);
    // The names the editor gives a picture that has none.
    if (name.isEmpty() || name == "No-Name-" || name == "NoName") name = kDefaultName;
    return name.leftJustified(8, ' ', true);
}

QByteArray ExportIlda(const Coords& X, const Coords& Y, const QString& name) {
    const QByteArray frameName = IldaFrameName(name);
    QByteArray out;
    out.reserve(2 * IldaHeaderSize + kExportPoints * RecordSize(5));
    AppendHeader(out, frameName, kExportPoints, 0, 1);
    for (int i = 0; i < kExportPoints; ++i) {
        const int p = i % PointCount;
        AppendBigEndian16(out, IldaFromX(X[p]));
        AppendBigEndian16(out, IldaFromY(Y[p]));
        out.append(static_cast<char>(i == kExportPoints - 1 ? 0x80 : 0x00));
        out.append("\x00\xFF\x00", 3);  // blue, green, red: the preview's green
    }
    AppendHeader(out, frameName, 0, 1, 1);
    return out;
}

FileResult ImportIldaFrame(IldaSource& source, const IldaFrameInfo& frame, Coords& X, Coords& Y) {
    std::vector<IldaPoint> points;
    const FileResult read = ReadIldaPoints(source, frame, points);
    if (!read) return read;
    IldaToFigure(points, X, Y);
    return read;
}

FileResult WriteIldaFile(const QString& path, const QByteArray& bytes) {
    if (QFileInfo(path).isDir()) return Fail(QStringLiteral("Это папка, а не файл"));
    // A pipe or a device would be replaced by a regular file: refused.
    if (const FileResult target = CheckSaveTarget(path); !target) return target;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Fail(QStringLiteral("Не удалось создать файл: ") + file.errorString());
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0) break;
        written += n;
    }
    if (written < bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Fail(QStringLiteral("Ошибка записи файла: ") + reason);
    }
    if (!file.commit()) return Fail(QStringLiteral("Ошибка записи файла: ") + file.errorString());
    return {true, {}};
}

}  // namespace lp
