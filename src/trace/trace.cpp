#include "trace/trace.h"

namespace lp {

TracePlacement TracePlacement::Fit(int size) {
    TracePlacement placement;
    placement.size = size;
    return placement;
}

TracePlacement TracePlacement::InPlace(const QRectF& area) {
    TracePlacement placement;
    placement.fit = false;
    placement.area = area;
    return placement;
}

TraceOptions::Mode TraceModeOf(bool lines, bool outline) {
    return lines     ? TraceOptions::Mode::Lines
           : outline ? TraceOptions::Mode::Outline
                     : TraceOptions::Mode::Auto;
}

LeftOut LeftOutOf(const TraceResult& result) {
    if (result.ok && result.illegible)
        return result.meanStep > kTraceTuning.maxMeanStep ? LeftOut::Illegible : LeftOut::Crowded;
    if (!result.ok || result.shownDrawn == result.shownFound) return LeftOut::Nothing;
    return result.partsForPoints ? LeftOut::ForPoints : LeftOut::ByChoice;
}

}  // namespace lp
