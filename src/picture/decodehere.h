// Decoding here, in the caller's own memory, with Qt's image reader or the
// SVG library: what the decoding program does. Kept out of the editor, which
// never decodes a picture itself (nor loads the SVG library).
#pragma once

#include <QSize>
#include <QString>

#include "picture/pictureresult.h"

namespace lp {

class RegularFile;

// Reads and decodes, fitted in `box` when it is valid. Only the decoding program calls
// it (and the test and the benchmark that compare it with the child).
PictureResult LoadPictureHere(const QString& path, const QSize& box);
// The same for a file the child has opened already.
PictureResult LoadPictureHere(RegularFile& file, const QSize& box);

}  // namespace lp
