// Masks too intricate for the time a trace may take (noise, fine hatching,
// dithered photographs) are traced at a coarser scale: 256 points could not
// show their detail anyway.
#pragma once

#include <cstdint>

#include "trace/ink/mask.h"

namespace lp {

// How long the ink's outlines are: the changes between ink and ground along
// the rows and the columns, in pixels.
int64_t OutlineLength(const InkMask& mask);

// The mask at 1/k of its size each way: a block of k × k pixels (fewer at the
// right and lower edges) is ink when at least half of it is.
InkMask Coarser(const InkMask& mask, int k);

// The mask, or the least coarser one whose outlines are at most `most` pixels long.
InkMask WithinOutlineLength(InkMask mask, int64_t most);

}  // namespace lp
