// Raster pictures laid under the editing field for tracing: reading a picture
// file safely, decoded in a child process into a picture small enough to
// redraw at once.
#pragma once

#include <QSize>
#include <QString>
#include <stop_token>

#include "picture/pictureresult.h"

namespace lp {

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

}  // namespace lp
