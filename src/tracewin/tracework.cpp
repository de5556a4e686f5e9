#include "tracewin/tracework.h"

namespace lp {

TraceOutcome RunTraceJob(const TraceJob& job) {
    TraceOutcome outcome;
    outcome.parts = job.text
                        ? lp::FindTextParts(job.line, job.family, job.bold, job.size)
                        : lp::FindImageParts(job.picture, job.options, lp::TracePlacement::InPlace(job.area));
    outcome.result = lp::RouteParts(outcome.parts);
    outcome.note = outcome.result.notes.join(QLatin1Char('\n'));
    return outcome;
}

}  // namespace lp
