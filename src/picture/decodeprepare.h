// What decoding a picture needs, loaded by the decoding program before its
// sandbox shuts every file but the picture's: nothing is opened later.
// Used by laserpic-decode only.
#pragma once

#include <QByteArray>

namespace lp {

// Loads the image reader's plugin for `format` (a name PictureFormatOf
// gives). An SVG drawing gets more: the system's sans-serif, serif and
// monospace faces, regular and bold, as the only fonts its text is drawn in
// (opened now, any family falling back to one of them), and the loaders of
// the pictures it may carry.
void PrepareDecoding(const QByteArray& format);

}  // namespace lp
