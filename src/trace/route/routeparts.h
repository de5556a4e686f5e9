// The second stage of tracing: which parts are drawn (the user's choice,
// then what 256 points can hold), the one route through them and the 256
// points placed along it. It is fast: a changed choice of parts only reruns it.
#pragma once

#include <QString>
#include <stop_token>

#include "trace/trace.h"

namespace lp {

TraceResult RouteParts(const TraceParts& found, const PartChoice& choice = {}, std::stop_token stop = {});

// Whether a beam drawing these points would nearly stand still: their route
// shorter than kTraceTuning.stillRoute or within a square of stillSpan.
bool NearlyStill(const Coords& X, const Coords& Y);
// What the user is told then, the window and the command line alike.
QString NearlyStillWarning();

}  // namespace lp
