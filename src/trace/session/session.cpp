#include "trace/session/session.h"

#include "trace/parts/imageparts.h"
#include "trace/parts/textparts.h"
#include "trace/route/routeparts.h"

namespace lp {

namespace {

// The threshold on hand counts only when it is not found anew.
bool SameMask(const TraceRequest& a, const TraceRequest& b) {
    const MaskOptions &x = a.options.mask, &y = b.options.mask;
    return !a.text && !b.text && a.picture.cacheKey() == b.picture.cacheKey() && a.frame == b.frame &&
           x.ink == y.ink && x.autoThreshold == y.autoThreshold &&
           (x.autoThreshold || x.threshold == y.threshold);
}

bool SameParts(const TraceRequest& a, const TraceRequest& b) {
    if (a.text || b.text)
        return a.text == b.text && a.line == b.line && a.family == b.family && a.bold == b.bold &&
               a.size == b.size;
    const TracePlacement &p = a.placement, &q = b.placement;
    return SameMask(a, b) && a.options.speckUnits == b.options.speckUnits &&
           a.options.mode == b.options.mode && p.fit == q.fit &&
           (p.fit ? p.size == q.size : p.area == q.area);
}

bool SameChoice(const PartChoice& a, const PartChoice& b) {
    return a.leftOut == b.leftOut && a.largest == b.largest && a.drawn == b.drawn;
}

// Only the frame of the picture, where that lies on the field.
struct Framed {
    QRect cut;  // empty: the whole picture
    TracePlacement placement;
};

Framed Frame(const TraceRequest& request) {
    Framed framed{{}, request.placement};
    const QImage& picture = request.picture;
    if (request.text || request.frame.isEmpty() || picture.isNull()) return framed;
    const QRect cut = request.frame.toAlignedRect() & picture.rect();
    if (cut.isEmpty()) return framed;
    framed.cut = cut;
    QRectF& area = framed.placement.area;
    const double sx = area.width() / picture.width(), sy = area.height() / picture.height();
    area = QRectF(area.left() + cut.left() * sx, area.top() + cut.top() * sy, cut.width() * sx,
                  cut.height() * sy);
    return framed;
}

}  // namespace

TraceSession::Stage TraceSession::still(const TraceRequest& request) const {
    const bool text = request.text && made_.text;
    Stage stage = kNothing;
    if (done_ >= kMask && (text || SameMask(made_, request))) stage = kMask;
    if (done_ >= kParts && stage == kMask && SameParts(made_, request)) stage = kParts;
    if (done_ >= kRoute && stage == kParts && SameChoice(made_.choice, request.choice)) stage = kRoute;
    return stage;
}

const TraceOutcome& TraceSession::stopped() {
    outcome_.result = TraceResult();
    outcome_.result.failure = TraceFailure::Stopped;
    return outcome_;
}

const TraceOutcome& TraceSession::trace(const TraceRequest& request, std::stop_token stop) {
    done_ = still(request);
    made_ = request;
    if (done_ == kRoute) return outcome_;
    const Framed framed = Frame(request);
    const QImage picture = framed.cut.isEmpty() ? request.picture : request.picture.copy(framed.cut);
    if (done_ < kMask) {
        outcome_.mask.reset();
        if (!request.text && !picture.isNull()) {
            InkMask mask = TraceMask(picture, request.options.mask, stop);
            if (stop.stop_requested()) return stopped();
            outcome_.mask = std::make_shared<const InkMask>(std::move(mask));
        }
        done_ = kMask;
    }
    if (done_ < kParts) {
        outcome_.parts = std::make_shared<const TraceParts>(
            request.text ? FindTextParts(request.line, request.family, request.bold, request.size)
            : outcome_.mask
                ? FindMaskParts(*outcome_.mask, picture.size(), request.options, framed.placement, stop)
                : FindImageParts(picture, request.options, framed.placement, stop));
        if (stop.stop_requested()) return stopped();
        outcome_.pictureToParts =
            QTransform::fromTranslate(-framed.cut.left(), -framed.cut.top()) * outcome_.parts->sourceToParts;
        done_ = kParts;
    }
    outcome_.result = RouteParts(*outcome_.parts, request.choice, stop);
    if (stop.stop_requested()) return stopped();
    done_ = kRoute;
    return outcome_;
}

TraceResult TraceImage(const QImage& picture, const TraceOptions& options, const TracePlacement& placement) {
    TraceRequest request;
    request.picture = picture;
    request.options = options;
    request.placement = placement;
    return TraceSession().trace(request).result;
}

TraceResult TraceText(const QString& text, const QString& family, bool bold, int size) {
    TraceRequest request;
    request.text = true;
    request.line = text;
    request.family = family;
    request.bold = bold;
    request.size = size;
    return TraceSession().trace(request).result;
}

}  // namespace lp
