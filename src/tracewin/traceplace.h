// Where the trace window goes, beside the main window's field and preview,
// its size and the layout of its controls as it grows.
#pragma once

#include <QRect>
#include <QSize>
#include <functional>

class QWidget;
namespace Ui {
class TTraceForm;
}

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

// The window's size with a preview of that side.
QSize TraceFormSize(const Ui::TTraceForm& ui, int preview);

// Where the window `window` with the controls `ui` goes: the top left of its
// frame and its own size, kept when `placed` (the user sized it already).
// Null when it is on no screen.
QRect TraceFormSpot(const QWidget& window, const Ui::TTraceForm& ui, const QRect& field, const QRect& preview,
                    bool placed);

// Lays the controls out in a window of `size`.
void LayOutTraceForm(Ui::TTraceForm& ui, QSize size);

}  // namespace lp
