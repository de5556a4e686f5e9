// What decoding a picture needs, loaded by the decoding program before its
// sandbox shuts every file but the picture's: nothing is opened later.
// Used by laserpic-decode only.
#pragma once

#include <QByteArray>
#include <QGuiApplication>
#include <memory>

namespace lp {

// Loads the image reader's plugin for `format` (a name PictureFormatOf
// gives). An SVG drawing gets more: a windowing system without a display,
// every image plugin (for pictures carried inside), and the system's
// sans-serif, serif and monospace fonts read into memory as the only fonts
// its text is drawn in; the application made for it is returned.
std::unique_ptr<QGuiApplication> PrepareDecoding(const QByteArray& format, int& argc, char** argv);

}  // namespace lp
