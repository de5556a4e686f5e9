// Each visible edge once: a piece of ink in several colours (a shape with a
// border band, line art inside a filled shape) is drawn along the edges
// between its colours and the ground rather than by one outline per colour.
#pragma once

#include <opencv2/core.hpp>

#include "trace/inkmask.h"

namespace lp {

// Fills mask.edgeInk and mask.edgeOnly when some piece of mask.ink holds
// edges between colours of `bgr` (those that differ by at least `cut`): the
// ink with each such piece replaced by its edges, bands narrower than
// kTraceTuning.bandUnits made one stroke, and which pixels are those strokes.
void ColourEdges(const cv::Mat& bgr, int cut, InkMask& mask);

}  // namespace lp
