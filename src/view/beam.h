// The contour as bright as the projector draws it. The projector draws the
// 256 points in a fixed time, a step from one to the next in each equal share
// of it, so the light a segment leaves on each unit of its length falls as the
// segment grows, and the whole picture dims as its route grows. Every route is
// shown on this one scale, a stretch drawn twice (a bridge there and back)
// twice as bright.
#pragma once

#include <array>

#include "figure/figuredata.h"

class QPainter;

namespace lp {

// The route shown at 100 %: a circle 200 units across, about 628 units round.
inline constexpr double kReferenceDiameter = 200;
inline constexpr double kReferenceRoute = 3.14159265358979 * kReferenceDiameter;
// A segment of the reference route's mean step is shown this bright; the
// dimmest a segment is shown, so that the longest jumps stay in sight.
inline constexpr double kReferenceBeam = 0.6, kDimmestBeam = 0.06;

// How bright the picture is against the reference route, in per cent.
int BrightnessPercent(const Coords& X, const Coords& Y);

// Segment i runs from point i to point i + 1, the last one back to the first.
// Its brightness is kReferenceBeam times the reference route's mean step over
// its length, at most 1 and at least kDimmestBeam; a point repeated (a segment
// of no length) is 1.
using BeamLevels = std::array<double, kPointCount>;
BeamLevels BeamBrightness(const Coords& X, const Coords& Y);

// Draws the contour in green as the beam would, adding light where the beam
// passes twice; field unit u lies at (u + 0.5) * scale pixels.
void DrawBeam(QPainter& painter, const Coords& X, const Coords& Y, double scale);

}  // namespace lp
