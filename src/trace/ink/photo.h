// A photograph's objects against its ground, by colour and texture.
#pragma once

#include <opencv2/core.hpp>
#include <vector>

#include "trace/inkmask.h"

namespace lp {

// Sets `mask` (its size, ink and the way back to the source) to the objects
// of the picture `bgr` that stand out from the ground colours of its border:
// a graph cut (GrabCut) seeded with the border as ground and what differs
// from it as likely object, at most kTraceTuning.photoSide pixels a side.
// Leaves the mask empty of ink and sets noObject when nothing stands out.
void PhotoObjects(const cv::Mat& bgr, InkMask& mask);

}  // namespace lp
