// The trace window's work: one trace of the picture under the field or of a
// line of text.
#pragma once

#include <QImage>
#include <QRectF>
#include <QString>

#include "trace/trace.h"

namespace lp {

struct TraceJob {
    bool text = false;  // a line of text instead of the picture
    QImage picture;
    QRectF area;  // where the whole picture lies on the field, in field units
    lp::TraceOptions options;
    QString line, family;
    bool bold = false;
    int size = 200;  // the text's longer side, in field units
};

struct TraceOutcome {
    lp::TraceParts parts;  // what was found: a new choice of parts only routes them again
    lp::TraceResult result;
    QString note;  // besides the result, e.g. a font the system lacks
};

// Traces as the job says. Safe to run on any thread.
TraceOutcome RunTraceJob(const TraceJob& job);

}  // namespace lp
