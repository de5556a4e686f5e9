// Raster pictures laid under the editing field for tracing: reading a picture
// file safely and decoding it with Qt's image reader or the SVG library into
// a picture small enough to redraw at once.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <stop_token>

namespace lp {

class RegularFile;

// Files larger than this are not read.
inline constexpr qint64 kPictureFileLimit = 64 * 1024 * 1024;
// Raster pictures declaring more pixels than this are not decoded (8000 x 5000).
inline constexpr qint64 kPicturePixelLimit = 40'000'000;
// Memory one decode may allocate for its image, in megabytes.
inline constexpr int kPictureAllocationLimitMb = 256;
// The picture kept is at most this many pixels on each side: the field shows
// it at up to 500 x 500, stretched.
inline constexpr int kPictureKeptSide = 1024;

// Refusals that a word or two can name (the preview shows them so).
enum class PictureRefusal { Other, NotPicture, Cut };

struct PictureResult {
    QImage image;   // null on failure
    QString error;  // the reason, for the user
    QSize size;     // the picture's own size in pixels
    PictureRefusal refusal = PictureRefusal::Other;
    explicit operator bool() const { return !image.isNull(); }
};

// Reads and decodes a picture file in a child process under limits (see
// decodechild.h), blocking the caller; a stop asked through `stop` kills the
// child and returns at once. Only regular files are read (a pipe or a device
// is refused without blocking); the content tells the format. Safe to run on
// any thread.
PictureResult LoadPicture(const QString& path, std::stop_token stop = {});

// For a preview: read as LoadPicture reads, but reduced to fit in `box` with
// its proportions kept, already while decoding where the format allows.
PictureResult LoadPicturePreview(const QString& path, const QSize& box, std::stop_token stop = {});

// The size a raster picture declared as `declared` is decoded at: each side
// capped to kPictureKeptSide on its own (the field stretches it anyway).
QSize KeptPictureSize(const QSize& declared);

// Filters for the open-picture dialog: the formats taken (pictureformat.h)
// that can be read, first all of them together, then each alone,
// then all files.
QString PictureDialogFilter();

}  // namespace lp
