// Where the trace window goes, beside the main window's field and preview;
// traceplace.cpp also sizes the window and lays it out as it grows.
#pragma once

#include <QRect>
#include <functional>

namespace lp {

// The trace window's preview is never smaller than this, in pixels.
inline constexpr int kLeastTracePreview = 320;

// The window's place (its frame included) in a screen's free `room`, all in
// global coordinates: beside the main window's `field` and `preview` hiding
// neither; else hiding only the field; else beside them as near as the room
// lets it. `sizeFor` gives the window's size for a preview of a side; the
// side is the largest from `wanted` down to `least` that fits so.
QRect PlaceTraceWindow(const QRect& room, const QRect& field, const QRect& preview, int wanted, int least,
                       const std::function<QSize(int)>& sizeFor);

}  // namespace lp
