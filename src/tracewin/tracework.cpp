#include "tracewin/tracework.h"

namespace lp {

TraceOutcome RunTraceJob(const TraceJob& job) {
    TraceOutcome outcome;
    outcome.parts = job.found;
    outcome.mask = job.mask;
    if (!outcome.parts && job.text) {
        outcome.parts = std::make_shared<const lp::TraceParts>(
            lp::FindTextParts(job.line, job.family, job.bold, job.size));
    } else if (!outcome.parts) {
        if (!outcome.mask && !job.picture.isNull())
            outcome.mask =
                std::make_shared<const lp::InkMask>(lp::TraceMask(job.picture, job.options.mask));
        outcome.parts = std::make_shared<const lp::TraceParts>(
            outcome.mask
                ? lp::FindMaskParts(*outcome.mask, job.picture.size(), job.options,
                                    lp::TracePlacement::InPlace(job.area))
                : lp::FindImageParts(job.picture, job.options, lp::TracePlacement::InPlace(job.area)));
    }
    outcome.result = lp::RouteParts(*outcome.parts, job.choice);
    outcome.note = outcome.result.notes.join(QLatin1Char('\n'));
    return outcome;
}

}  // namespace lp
