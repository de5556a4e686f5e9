// The contour as bright as the projector draws it: the beam steps from point
// to point at one rate, so the longer a segment, the dimmer it is.
#pragma once

#include <array>

#include "figure/figuredata.h"

class QPainter;

namespace lp {

// A segment of the mean step is shown this bright, so that shorter ones show
// brighter; the dimmest a segment is shown, so that the longest jumps stay in
// sight.
inline constexpr double kMeanStepBeam = 0.6, kDimmestBeam = 0.12;

// Segment i runs from point i to point i + 1, the last one back to the first.
// Its brightness is kMeanStepBeam times the mean step over its length, at
// most 1 and at least kDimmestBeam; a point repeated (a segment of no length)
// is 1.
using BeamLevels = std::array<double, kPointCount>;
BeamLevels BeamBrightness(const Coords& X, const Coords& Y);

// Draws the contour in green as the beam would, adding light where the beam
// passes twice; field unit u lies at (u + 0.5) * scale pixels.
void DrawBeam(QPainter& painter, const Coords& X, const Coords& Y, double scale);

}  // namespace lp
