// The trace window's work: one trace of the picture under the field or of
// text, or only the route again through parts found before.
#pragma once

#include <QImage>
#include <QRectF>
#include <QString>
#include <memory>
#include <stop_token>

#include "trace/trace.h"

namespace lp {

struct TraceJob {
    bool text = false;  // a line of text instead of the picture
    QImage picture;
    QRectF area;       // where the whole picture lies on the field, in field units
    bool fit = false;  // the picture fitted to the field (`size`) instead of where it lies
    QRectF frame;      // only this part of the picture is traced, in its pixels; empty: all of it
    lp::TraceOptions options;
    QString line, family;
    bool bold = false;
    int size = kTraceTuning.size;  // the text's, or the fitted picture's, longer side in field units
    // Parts found before for the same picture or text and options: only routed
    // again; or the ink mask made before for the same picture, frame and mask options.
    std::shared_ptr<const lp::TraceParts> found;
    std::shared_ptr<const lp::InkMask> mask;
    lp::PartChoice choice;
};

struct TraceOutcome {
    std::shared_ptr<const lp::TraceParts>
        parts;                                // what was found: a new choice of parts only routes them again
    std::shared_ptr<const lp::InkMask> mask;  // the picture's, for another trace with the same mask options
    lp::TraceResult result;
    QString note;  // besides the result, e.g. a font the system lacks
    // The whole picture's pixels -> the parts' coordinates (the frame's
    // offset included); then result.partsToField takes them to the field.
    QTransform pictureToParts;
};

// Traces as the job says; stopped early (result.failure Stopped) when asked.
// Safe to run on any thread.
TraceOutcome RunTraceJob(const TraceJob& job, std::stop_token stop = {});

}  // namespace lp
