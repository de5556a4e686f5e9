// A picture read for tracing, or why it was not, and the limits reading keeps to.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace lp {

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

}  // namespace lp
