// The ILDA file format: walking the sections of a file, reading a frame's
// records and writing the figure as a frame.
#include "figure/ilda.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace lp {

namespace {

constexpr char kMagic[4] = {'I', 'L', 'D', 'A'};
constexpr int kExportPoints = kPointCount + 1;  // the first point again closes the contour
const QByteArray kDefaultName = QByteArrayLiteral("laserpic");

// Bytes per record of each format code; 0 for codes the format does not have.
int RecordSize(int format) {
    static constexpr int kSizes[] = {8, 6, 3, 3, 10, 8};
    return format >= 0 && format < 6 ? kSizes[format] : 0;
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
    return QCoreApplication::translate("Ilda", " (смещение %1)").arg(offset);
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

bool IldaFile::read(qint64 offset, char* out, qint64 n) {
    const qint64 got = file_.read(offset, out, n);
    if (got == n) {
        bytesRead_ += n;
        return true;
    }
    error_ =
        got < 0 ? file_.readError() : QCoreApplication::translate("Ilda", "Файл стал короче во время чтения");
    return false;
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

IldaScan ScanIlda(IldaSource& source) {
    IldaScan scan;
    const qint64 size = source.size();
    if (size == 0) {
        scan.result = Fail(QCoreApplication::translate("Ilda", "Файл пуст"));
        return scan;
    }
    qint64 offset = 0;
    while (offset < size) {
        char header[kIldaHeaderSize];
        const qint64 available = std::min<qint64>(kIldaHeaderSize, size - offset);
        if (!source.read(offset, header, available)) {
            scan.result = Fail(source.error());
            return scan;
        }
        if (std::memcmp(header, kMagic, std::min<qint64>(4, available)) != 0) {
            scan.result = Fail(
                offset == 0
                    ? QCoreApplication::translate("Ilda", "Это не файл ILDA: в начале нет подписи «ILDA»")
                    : QCoreApplication::translate("Ilda", "Нет подписи «ILDA» в заголовке") + At(offset));
            return scan;
        }
        if (available < kIldaHeaderSize) {
            scan.result =
                Fail(QCoreApplication::translate("Ilda", "Заголовок обрезан: %1 байт из 32").arg(available) +
                     At(offset));
            return scan;
        }
        const int format = static_cast<uint8_t>(header[7]);
        const int recordSize = RecordSize(format);
        if (recordSize == 0) {
            scan.result = Fail(QCoreApplication::translate("Ilda", "Неизвестный код формата %1").arg(format) +
                               At(offset));
            return scan;
        }
        const int records = BigEndian16(header + 24);
        if (records == 0) break;  // the end header
        const qint64 data = qint64(records) * recordSize;
        const qint64 left = size - offset - kIldaHeaderSize;
        if (data > left) {
            scan.result = Fail(QCoreApplication::translate(
                                   "Ilda", "Записей в заголовке: %1 (%2 байт), а до конца файла %3 байт")
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
            frame.recordsOffset = offset + kIldaHeaderSize;
            scan.frames.append(frame);
        }
        offset += kIldaHeaderSize + data;
    }
    scan.result = scan.frames.isEmpty() ? Fail(QCoreApplication::translate("Ilda", "В файле нет кадров"))
                                        : FileResult{true, {}};
    return scan;
}

FileResult ReadIldaPoints(IldaSource& source, const IldaFrameInfo& frame, std::vector<IldaPoint>& points) {
    const int recordSize = RecordSize(frame.format);
    if (!IsFrameFormat(frame.format) || frame.pointCount <= 0)
        return Fail(QCoreApplication::translate("Ilda", "Это не кадр"));
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
    out.reserve(2 * kIldaHeaderSize + kExportPoints * RecordSize(5));
    AppendHeader(out, frameName, kExportPoints, 0, 1);
    for (int i = 0; i < kExportPoints; ++i) {
        const int p = i % kPointCount;
        AppendBigEndian16(out, IldaFromX(X[p]));
        AppendBigEndian16(out, IldaFromY(Y[p]));
        out.append(static_cast<char>(i == kExportPoints - 1 ? 0x80 : 0x00));
        out.append("\x00\xFF\x00", 3);  // blue, green, red: the preview's green
    }
    AppendHeader(out, frameName, 0, 1, 1);
    return out;
}

}  // namespace lp
