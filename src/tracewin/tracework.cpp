#include "tracework.h"

#include <QCoreApplication>
#include <QPointer>

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

lp::Job TraceOffThread(QObject* receiver, TraceJob job, std::function<void(TraceOutcome)> done) {
    // The outcome travels through the application object, which outlives the
    // window; the window itself is looked for only on the interface thread.
    auto deliver = [guard = QPointer<QObject>(receiver), done = std::move(done)](TraceOutcome outcome) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [guard, done, outcome = std::move(outcome)] {
                if (guard) done(outcome);
            },
            Qt::QueuedConnection);
    };
    return lp::StartWork(
        [job = std::move(job), deliver](std::stop_token stop) {
            deliver(stop.stop_requested() ? TraceOutcome() : RunTraceJob(job));
        },
        lp::NoThread::RunHere);
}
