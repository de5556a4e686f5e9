// Drawing of the editing field (512 x 512, two pixels per unit) and the preview
// (256 x 256, one pixel per unit) into retained images.
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRectF>
#include <array>
#include <cstdint>

#include "figure/figuredata.h"

namespace lp {

namespace colors {
inline const QColor kGrid{128, 128, 128};
inline const QColor kFrame{255, 255, 255};
inline const QColor kLineNormal{0, 0, 255};
inline const QColor kLineArea{255, 255, 0};
inline const QColor kFirstPoint{0, 255, 0};
inline const QColor kCurrentPoint{0, 0, 255};
inline const QColor kPointNormal{255, 0, 0};
inline const QColor kPointArea{0, 0, 255};
inline const QColor kLastPoint{255, 255, 0};
inline const QColor kAreaDots{255, 251, 240};
inline const QColor kAreaGaps{0, 0, 0};
inline const QColor kPreview{0, 255, 0};
inline const QColor kPreviewHot{255, 255, 0};
}  // namespace colors

// The preview's jitter: a 32-bit linear congruential generator, 0 at start and
// never reseeded, each draw yielding the top three bits (0..7).
class JitterRng {
  public:
    int next() {
        state_ = state_ * 134775813u + 1u;
        return static_cast<int>(state_ >> 29);
    }
    uint32_t state() const { return state_; }
    void setState(uint32_t state) { state_ = state; }

  private:
    uint32_t state_ = 0;
};

struct RenderOptions {
    bool grid = false;       // grid button pressed
    bool half128 = false;    // second-half mode: only points 0..127 on the field
    bool hotPoint = false;   // jitter repeated points in the preview
    bool hotColour = false;  // preview lines in yellow
};

struct RenderTargets {
    QImage* fieldUnder;  // grid layer, beneath the background picture
    QImage* field;       // frame, contour, markers, area rectangle
    QImage* preview;
};

// Draws the figure. With clear set the three images are cleared first;
// without it everything is drawn over what the images hold. Either way the
// grid goes into the layer beneath the background picture, so the picture
// hides it as the window's own repaints come and go.
void RenderFigure(const FigureData& data, const RenderOptions& options, JitterRng& rng,
                  const RenderTargets& targets, bool clear);

// The preview's vertices: point i at its coordinates, or jittered by up to
// -4..+3 on each axis when it repeats its predecessor and hotPoint is set (a
// jittered coordinate is never below 1).
using PreviewPath = std::array<QPoint, kPointCount>;
void PreviewVertices(const FigureData& data, bool hotPoint, JitterRng& rng, PreviewPath& path);

// A rectangle on the editing field, in the field's own pixels (its top left
// corner at 0, 0), as field units: point u is drawn on pixel 2u, whose centre
// lies at 2u + 0.5.
QRectF FieldUnitsOf(const QRectF& pixels);

}  // namespace lp
