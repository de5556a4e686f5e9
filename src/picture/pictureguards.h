// Checks made on a background picture's bytes before a decoder sees them:
// data cut short, packed SVG that would unpack without end (what SVG files
// refer to is checked in svgrefs.h). Used by the picture reader only.
#pragma once

#include <QByteArray>
#include <QSize>

namespace lp {

// Whether a picture holds all the data its own structure announces: a JPEG
// up to its end marker, a PNG up to its end chunk, a GIF its first image, a
// BMP, PPM or TIFF the rows or samples of its header, an icon each image it
// lists, a WebP the length of its RIFF header.
bool Complete(const QByteArray& bytes);

// The size a bitmap's header declares; invalid when the bytes are no bitmap
// with a header known here.
QSize BmpHeaderSize(const QByteArray& bytes);

enum class Unpacked { Whole, Damaged, Cut, TooLarge };
// Unpacks gzip data of at most `limit` bytes: Whole when all of it is out.
Unpacked Gunzip(const QByteArray& packed, qsizetype limit, QByteArray& out);

}  // namespace lp
