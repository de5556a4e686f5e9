#include "tracewin/tracework.h"

namespace lp {

TraceOutcome RunTraceJob(const TraceJob& job, std::stop_token stop) {
    TraceOutcome outcome;
    outcome.parts = job.found;
    outcome.mask = job.mask;
    const auto stopped = [&] {
        if (!stop.stop_requested()) return false;
        outcome.result.failure = lp::TraceFailure::Stopped;
        return true;
    };
    // Only the frame of the picture, where it lies on the field.
    QImage picture = job.picture;
    QRectF area = job.area;
    QPoint offset;
    if (!job.text && !job.frame.isEmpty() && !picture.isNull()) {
        const QRect cut = job.frame.toAlignedRect() & picture.rect();
        if (!cut.isEmpty()) {
            const double sx = area.width() / picture.width(), sy = area.height() / picture.height();
            area = QRectF(area.left() + cut.left() * sx, area.top() + cut.top() * sy, cut.width() * sx,
                          cut.height() * sy);
            picture = picture.copy(cut);
            offset = cut.topLeft();
        }
    }
    const lp::TracePlacement placement =
        job.fit ? lp::TracePlacement::Fit(job.size) : lp::TracePlacement::InPlace(area);
    if (!outcome.parts && job.text) {
        outcome.parts = std::make_shared<const lp::TraceParts>(
            lp::FindTextParts(job.line, job.family, job.bold, job.size));
    } else if (!outcome.parts) {
        if (!outcome.mask && !picture.isNull()) {
            lp::InkMask mask = lp::TraceMask(picture, job.options.mask, stop);
            if (stopped()) return outcome;
            outcome.mask = std::make_shared<const lp::InkMask>(std::move(mask));
        }
        outcome.parts = std::make_shared<const lp::TraceParts>(
            outcome.mask ? lp::FindMaskParts(*outcome.mask, picture.size(), job.options, placement, stop)
                         : lp::FindImageParts(picture, job.options, placement, stop));
    }
    if (stopped()) return outcome;
    outcome.result = lp::RouteParts(*outcome.parts, job.choice, stop);
    outcome.note = outcome.result.notes.join(QLatin1Char('\n'));
    outcome.pictureToParts =
        QTransform::fromTranslate(-offset.x(), -offset.y()) * outcome.parts->sourceToParts;
    return outcome;
}

}  // namespace lp
