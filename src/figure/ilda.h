// ILDA image data transfer files (.ild), the interchange format of laser
// software: a sequence of sections, each a 32-byte big-endian header followed
// by its records, ended by a header with no records.
//
//   0  "ILDA"            8  frame or palette name (8 bytes)   24  record count
//   4  0, 0, 0, format  16  company name (8 bytes)            26  frame number
//                                                             28  total frames
//                                                             30  projector, 31  0
//
// Formats: 0 3-D indexed (8-byte records), 1 2-D indexed (6), 2 colour palette
// (3), 3 per-point colour table (3), 4 3-D true colour (10), 5 2-D true colour
// (8). Coordinates are signed 16-bit, 0 at the centre, Y growing upwards; in
// the status byte 0x80 marks the last point and 0x40 a blanked one.
//
// The editor's field maps onto the ILDA range as 256 units per coordinate step
// with 127 at 0 (X = (x - 127) * 256, Y = (127 - y) * 256, the one value past
// the range clamped), and back by rounding; so export then import gives the
// same points.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "figure/figuredata.h"
#include "files/fileresult.h"
#include "files/regularfile.h"

namespace lp {

inline constexpr int kIldaHeaderSize = 32;

struct IldaPoint {
    int x = 0, y = 0;  // ILDA coordinates
    bool blanked = false;
};

// A frame as listed in a file: its place among the frames (from 1), the names
// of its header, its format and its point count.
struct IldaFrameInfo {
    int number = 0;
    QString name;
    QString company;
    int format = 0;
    int pointCount = 0;
    qint64 recordsOffset = 0;  // where its records start in the file
};

// Random access to the bytes of an ILDA file. Counts what it has read.
class IldaSource {
  public:
    virtual ~IldaSource() = default;
    virtual qint64 size() const = 0;
    // Reads exactly n bytes at offset; false when that fails (error() says why).
    virtual bool read(qint64 offset, char* out, qint64 n) = 0;
    virtual QString error() const { return QCoreApplication::translate("Ilda", "Файл оборвался при чтении"); }
    qint64 bytesRead() const { return bytesRead_; }

  protected:
    qint64 bytesRead_ = 0;
};

// The bytes held in memory.
class IldaBytes : public IldaSource {
  public:
    explicit IldaBytes(QByteArrayView bytes) : bytes_(bytes) {}
    qint64 size() const override { return bytes_.size(); }
    bool read(qint64 offset, char* out, qint64 n) override;

  private:
    QByteArrayView bytes_;
};

// A file on disk, read piece by piece. Only regular files are taken: a folder,
// a pipe or a device is refused without waiting on it.
class IldaFile : public IldaSource {
  public:
    FileResult open(const QString& path) { return file_.open(path); }
    qint64 size() const override { return file_.size(); }
    bool read(qint64 offset, char* out, qint64 n) override;
    QString error() const override { return error_; }

  private:
    RegularFile file_;
    QString error_;
};

struct IldaScan {
    FileResult result;
    QList<IldaFrameInfo> frames;  // the image frames (formats 0, 1, 4, 5), in file order
};

// Walks the headers from the start to the end header (or the end of the
// data), reading the headers only. Any damaged section fails the whole scan.
IldaScan ScanIlda(IldaSource& source);

// The points of one listed frame, in order, blanked ones included.
FileResult ReadIldaPoints(IldaSource& source, const IldaFrameInfo& frame, std::vector<IldaPoint>& points);

// The figure as an ILDA file: one format-5 frame of 257 points (the first
// repeated at the end, all lit green) under the given name, then the end header.
QByteArray ExportIlda(const Coords& X, const Coords& Y, const QString& name);

// The 8-byte frame name for a picture name: its printable ASCII characters,
// "laserpic" when none are left or the picture has no name yet.
QByteArray IldaFrameName(const QString& pictureName);

// Coordinate mapping between the editor's field and the ILDA range.
int16_t IldaFromX(uint8_t x);
int16_t IldaFromY(uint8_t y);
uint8_t XFromIlda(double x);
uint8_t YFromIlda(double y);

}  // namespace lp
