// The parts of a picture: its ink mask cleaned of specks (and, in a
// photograph, of texture), each piece as an outline with its holes or as the
// walk along its strokes, ranked by how much of the picture each is.
#pragma once

#include <QImage>
#include <QSize>
#include <stop_token>

#include "trace/trace.h"

namespace lp {

TraceParts FindImageParts(const QImage& picture, const TraceOptions& options, const TracePlacement& placement,
                          std::stop_token stop = {});
// The ink mask FindMaskParts reads, made once for a picture and its mask
// options: a change of the other options need not make it again. A mask
// stopped early is empty.
InkMask TraceMask(const QImage& picture, const MaskOptions& options, std::stop_token stop = {});
// The same as FindImageParts from the ink mask TraceMask made of a picture of `pictureSize`.
TraceParts FindMaskParts(const InkMask& mask, QSize pictureSize, const TraceOptions& options,
                         const TracePlacement& placement, std::stop_token stop = {});

// Sorts parts by weight, the heaviest first, keeping holes pointing at their
// parts, and fills in their lengths and bounds.
void RankParts(std::vector<TracePart>& parts);

}  // namespace lp
