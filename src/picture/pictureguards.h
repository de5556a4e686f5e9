// Checks made on a background picture's bytes before a decoder sees them:
// data cut short, packed SVG that would unpack without end (what SVG files
// refer to is checked in svgrefs.h). Used by the picture reader only.
#pragma once

#include <QByteArray>
#include <QSize>

namespace lp {

// Whether a JPEG, GIF or BMP holds all its data (the other decoders fail on
// data that ends early themselves).
bool Complete(const QByteArray& bytes);

// The size a bitmap's header declares; invalid when the bytes are no bitmap
// with a header known here.
QSize BmpHeaderSize(const QByteArray& bytes);

// Unpacks gzip data of at most `limit` bytes; false when the data is damaged
// or unpacks to more.
bool Gunzip(const QByteArray& packed, qsizetype limit, QByteArray& out);

}  // namespace lp
