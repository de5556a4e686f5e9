#include "tracewin/tracework.h"

namespace lp {

TraceOutcome RunTraceJob(const TraceJob& job) {
    TraceOutcome outcome;
    if (job.text)
        outcome.result = lp::TraceText(job.line, job.family, job.bold, job.size, &outcome.note);
    else
        outcome.result = lp::TraceImage(job.picture, job.options, lp::TracePlacement::InPlace(job.area));
    return outcome;
}

}  // namespace lp
