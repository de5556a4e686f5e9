// What the trace window says about its result: the status under the options
// and the name of the part under the mouse.
#pragma once

#include <QString>

#include "trace/session/session.h"

namespace lp {

// What was traced, how bright it will be, what was left out and why, and the
// warnings: a dim picture, a beam that nearly stands still.
QString TraceStatus(const TraceOutcome& outcome);

// Part `id` by its number (the largest is 1) and size on the field, and
// whether it is drawn and, if not, why.
QString PartDescription(const TraceParts& parts, const TraceResult& routed, int id);

}  // namespace lp
