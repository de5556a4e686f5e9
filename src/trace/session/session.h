// The one way into tracing, for the trace window and the command line alike.
// A request (a picture or text, the options, the user's choice of parts) is
// traced in three stages: the ink mask, the parts, the route. What each stage
// made is kept with the inputs it was made from, so the next request reruns
// only the stages whose inputs changed: a new choice of parts only routes
// again, a new speck size finds the parts again in the same mask. Every stage
// checks the stop token: a trace overtaken by a newer one ends early with
// TraceFailure::Stopped and keeps the stages it finished.
//
// A session is a value (its stages are shared, never changed): copy it to
// trace on another thread and keep the copy that traced the newest request.
#pragma once

#include <QImage>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <memory>
#include <stop_token>

#include "trace/trace.h"

namespace lp {

struct TraceRequest {
    bool text = false;  // text instead of the picture
    QImage picture;
    QRectF frame;              // only this part of the picture is traced, in its pixels; empty: all of it
    TracePlacement placement;  // where the whole picture lies on the field, or fitted
    TraceOptions options;
    QString line, family;  // the text: lines separated by line breaks, in this font
    bool bold = false;
    int size = kTraceTuning.size;  // the text's longer side in field units
    PartChoice choice;
};

struct TraceOutcome {
    std::shared_ptr<const TraceParts> parts;  // what was found: a new choice of parts only routes them again
    std::shared_ptr<const InkMask> mask;      // the picture's ink (its threshold found), none for text
    TraceResult result;
    // The whole picture's pixels -> the parts' coordinates (the frame's
    // offset included); then result.partsToField takes them to the field.
    QTransform pictureToParts;
};

class TraceSession {
  public:
    // Traces as asked, redoing only what the request changes. Safe to run
    // on any thread, one trace at a time per session.
    const TraceOutcome& trace(const TraceRequest& request, std::stop_token stop = {});
    const TraceOutcome& outcome() const { return outcome_; }

  private:
    enum Stage { kNothing, kMask, kParts, kRoute };
    Stage still(const TraceRequest& request) const;
    const TraceOutcome& stopped();

    TraceRequest made_;  // what the stages on hand were made for
    Stage done_ = kNothing;
    TraceOutcome outcome_;
};

// A whole trace with nothing left out by the user.
TraceResult TraceImage(const QImage& picture, const TraceOptions& options, const TracePlacement& placement);
TraceResult TraceText(const QString& text, const QString& family, bool bold, int size);

}  // namespace lp
