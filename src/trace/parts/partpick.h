// Which part of a trace a point on the field means: a click on the trace
// window's preview leaves that part out or brings it back.
#pragma once

#include <QPointF>

#include "trace/trace.h"

namespace lp {

// The part whose outline passes within `reach` of `at` (field units; the
// nearest one), else the smallest part around it; -1 for none. A hole whose
// part is not drawn is not picked: its part is.
int PartAt(const TraceParts& found, const TraceResult& routed, QPointF at, double reach);

// The choice after a click on part `id`: a part drawn is left out, one not
// drawn is drawn, even beyond the largest kept or when points are short.
void TogglePart(PartChoice& choice, const TraceResult& routed, int id);

// The choice that keeps part `id` alone, with its holes (a hole stands for
// its part): all the others are left out.
void KeepOnlyPart(PartChoice& choice, const TraceParts& found, int id);

}  // namespace lp
