// The second stage of tracing: which parts are drawn, the one route through
// them and the 256 points along it.
#include "trace/route/routeparts.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

#include "figure/corners.h"
#include "figure/geometry.h"
#include "figure/pointplacement.h"
#include "figure/rounding.h"
#include "trace/route/crowding.h"
#include "trace/route/fit.h"
#include "trace/route/join.h"
#include "trace/tuning.h"

namespace lp {

namespace {

constexpr double kMaxMeanStep = kTraceTuning.maxMeanStep;
constexpr double kMinPartPoints = kTraceTuning.minPartPoints;
constexpr int kPoints = kPlacementTuning.points;

// The farthest any point of the route (within the field) lies from the
// drawn contour: the route's points and the middles of its segments.
double WorstDeviation(const Polyline& route, const Coords& X, const Coords& Y) {
    auto corner = [&](size_t j) { return QPointF(X[j % kPointCount], Y[j % kPointCount]); };
    auto distance = [&](QPointF p, size_t j) { return SegmentDistance2(p, corner(j), corner(j + 1)); };
    double worst = 0;
    size_t near = 0;
    for (size_t i = 0; i < 2 * route.size(); ++i) {
        const QPointF a = route[i / 2].p, b = route[(i / 2 + 1) % route.size()].p;
        const QPointF raw = i % 2 ? (a + b) / 2 : a;
        const QPointF p(std::clamp(raw.x(), 0.0, 255.0), std::clamp(raw.y(), 0.0, 255.0));
        // The segments around the last nearest one usually decide.
        double best = INFINITY;
        for (size_t k = near + kPointCount - 3; k <= near + kPointCount + 3; ++k)
            best = std::min(best, distance(p, k));
        if (best <= worst) continue;
        for (size_t j = 0; j < size_t(kPointCount); ++j)
            if (const double d = distance(p, j); d < best) {
                best = d;
                near = j;
            }
        worst = std::max(worst, best);
    }
    return std::sqrt(worst);
}

double Gap(const QRectF& a, const QRectF& b) {
    const double dx = std::max({0.0, a.left() - b.right(), b.left() - a.right()});
    const double dy = std::max({0.0, a.top() - b.bottom(), b.top() - a.bottom()});
    return Distance({dx, dy}, {});
}

class Chooser {
  public:
    Chooser(const TraceParts& found, std::vector<PartState>& states) : found_(found), states_(states) {}

    bool drawn(size_t i) const {
        const TracePart& part = found_.parts[i];
        return states_[i] == PartState::Drawn &&
               (part.parent < 0 || states_[size_t(part.parent)] == PartState::Drawn);
    }

    // The loops of the parts drawn, fitted when the placement fits; `toField`
    // becomes the fit. `outlines` tells the outlines from the walks along
    // strokes, whose corners the stroke shaping found.
    std::vector<Polyline> loops(QTransform& toField, std::vector<bool>* outlines = nullptr) const {
        std::vector<Polyline> out;
        if (outlines) outlines->clear();
        for (size_t i = 0; i < found_.parts.size(); ++i)
            if (drawn(i)) {
                const TracePart& part = found_.parts[i];
                out.insert(out.end(), part.loops.begin(), part.loops.end());
                if (outlines) outlines->resize(out.size(), part.kind != TracePart::Kind::Strokes);
            }
        toField = {};
        if (found_.fitSize > 0 && !out.empty()) {
            toField = FitTransform(LoopBounds(out), found_.fitSize);
            for (Polyline& loop : out)
                for (RoutePoint& point : loop) point.p = toField.map(point.p);
        }
        return out;
    }

    // How much the parts drawn grow when fitted again.
    double scale() const {
        if (found_.fitSize <= 0) return 1;
        QRectF bounds;
        for (size_t i = 0; i < found_.parts.size(); ++i)
            if (drawn(i)) bounds |= found_.parts[i].bounds;
        const double side = std::max(bounds.width(), bounds.height());
        return side > 0 ? found_.fitSize / side : 1;
    }

    // Draws the largest parts the points can hold: in rank order while the
    // route stays within kMaxMeanStep a step, each part drawn getting
    // kMinPartPoints points at least; the largest part is always drawn, and the
    // parts `first` (the user's) before all others, whatever they cost: they
    // do not keep another part out by being short of points themselves.
    // `overhead` (field units) is what the bridges and the scale add beyond
    // the estimate.
    void choose(const std::vector<PartState>& chosen, const std::set<int>& first, double overhead) {
        states_ = chosen;
        const double s = scale();
        const size_t n = found_.parts.size();
        double total = std::max(0.0, overhead), shortest = INFINITY;
        std::vector<size_t> drawnSoFar;
        bool full = false, anyOther = false;
        auto consider = [&](size_t i, bool forced) {
            if (!drawn(i)) {
                if (found_.parts[i].parent >= 0 && states_[i] == PartState::Drawn)
                    states_[i] = states_[size_t(found_.parts[i].parent)];
                return;
            }
            if (full && !forced) {
                states_[i] = PartState::NoRoom;
                return;
            }
            const TracePart& part = found_.parts[i];
            // Its share of the route: itself and a bridge to a larger part, there and back.
            double gap = drawnSoFar.empty() ? 0 : INFINITY;
            for (const size_t j : drawnSoFar) gap = std::min(gap, Gap(part.bounds, found_.parts[j].bounds));
            const double length = s * part.length, after = total + length + 2 * s * gap;
            const double mean = after / kPoints;
            if (anyOther && !found_.keepAll && !forced) {
                if (mean > kMaxMeanStep) {
                    full = true;
                    states_[i] = PartState::NoRoom;
                    return;
                }
                if (length < kMinPartPoints * mean) {
                    states_[i] = PartState::TooFewPoints;
                    return;
                }
                if (shortest < kMinPartPoints * mean) {
                    states_[i] = PartState::NoRoom;
                    return;
                }
            }
            total = after;
            if (!forced) shortest = std::min(shortest, length);
            drawnSoFar.push_back(i);
            anyOther = anyOther || !forced;
        };
        for (const int id : first)
            if (id >= 0 && size_t(id) < n && found_.parts[size_t(id)].parent < 0) consider(size_t(id), true);
        for (size_t i = 0; i < n; ++i)
            if (!first.contains(int(i)) || found_.parts[i].parent >= 0) consider(i, first.contains(int(i)));
    }

    // The parts drawn without those brought back by the user that are not
    // drawn now for want of points: they made room for them.
    void markMadeRoom(std::vector<PartState> chosen, const std::set<int>& first, double overhead) {
        std::set<int> brought;
        for (const int id : first)
            if (id >= 0 && size_t(id) < chosen.size() && chosen[size_t(id)] == PartState::Drawn &&
                found_.parts[size_t(id)].parent < 0)
                brought.insert(id);
        if (brought.empty()) return;
        const std::vector<PartState> with = states_;
        for (const int id : brought) chosen[size_t(id)] = PartState::LeftOutByUser;
        choose(chosen, {}, overhead);
        const std::vector<PartState> without = states_;
        states_ = with;
        for (size_t i = 0; i < states_.size(); ++i)
            if (without[i] == PartState::Drawn && !brought.contains(int(i)) &&
                (states_[i] == PartState::NoRoom || states_[i] == PartState::TooFewPoints))
                states_[i] = PartState::MadeRoom;
    }

  private:
    const TraceParts& found_;
    std::vector<PartState>& states_;
};

}  // namespace

bool NearlyStill(const Coords& X, const Coords& Y) {
    const double length = ClosedLength(X, Y);
    const auto [x0, x1] = std::minmax_element(X.begin(), X.end());
    const auto [y0, y1] = std::minmax_element(Y.begin(), Y.end());
    const int span = std::max(*x1 - *x0, *y1 - *y0);
    return length < kTraceTuning.stillRoute || span <= kTraceTuning.stillSpan;
}

QString NearlyStillWarning() {
    return QCoreApplication::translate("Trace",
                                       "Луч почти стоит на месте: маршрут короче %1 ед. или умещается в "
                                       "квадрат %2 × %2 ед. Собранный в точку луч опасен для глаз и может "
                                       "прожечь.")
        .arg(kTraceTuning.stillRoute)
        .arg(kTraceTuning.stillSpan);
}

TraceResult RouteParts(const TraceParts& found, const PartChoice& choice, std::stop_token stop) {
    TraceResult result;
    result.failure = found.failure;
    result.error = found.error;
    result.notes = found.notes;
    if (found.failure != TraceFailure::None) return result;
    const size_t n = found.parts.size();
    result.partsFound = int(n);
    result.states.assign(n, PartState::Drawn);
    Chooser chooser(found, result.states);
    for (const int id : choice.leftOut)
        if (id >= 0 && size_t(id) < n && !choice.drawn.contains(id))
            result.states[size_t(id)] = PartState::LeftOutByUser;
    for (size_t i = 0, kept = 0; i < n; ++i)
        if (chooser.drawn(i) && !choice.drawn.contains(int(i)) && choice.largest > 0 &&
            ++kept > size_t(choice.largest))
            result.states[i] = PartState::BeyondLargest;

    // What 256 points can hold: estimated from the parts' lengths, then
    // corrected by the route as joined until it holds.
    const std::vector<PartState> chosen = result.states;
    std::vector<Polyline> loops;
    std::vector<bool> outlines;
    double overhead = 0;
    for (int round = 0; round < 6; ++round) {
        if (stop.stop_requested()) {
            result.failure = TraceFailure::Stopped;
            return result;
        }
        chooser.choose(chosen, choice.drawn, overhead);
        loops = chooser.loops(result.partsToField, &outlines);
        const double length = PathLength(JoinLoops(loops).route, true);
        if (length <= kMaxMeanStep * kPoints * 1.001 || round == 5) break;
        overhead += length - kMaxMeanStep * kPoints;
    }
    chooser.markMadeRoom(chosen, choice.drawn, overhead);
    for (size_t i = 0; i < loops.size(); ++i)
        if (outlines[i]) MarkCorners(loops[i]);
    const JoinedRoute joined = JoinLoops(loops);
    if (joined.route.empty()) {
        result.failure = TraceFailure::NoInk;
        result.error = QCoreApplication::translate("Trace", "Нечего обводить");
        return result;
    }
    RoundToField(AllocatePoints(joined.route, kPoints), result.X, result.Y);
    result.ok = true;
    result.contours = joined.loops;
    result.bridgeLength = joined.bridgeLength;
    result.routeLength = PathLength(joined.route, true);
    result.meanStep = result.routeLength / kPoints;
    result.worstDeviation = WorstDeviation(joined.route, result.X, result.Y);
    result.crowded = CrowdedShare(result.X, result.Y, kTraceTuning.crowdedReach);
    result.illegible = !found.keepAll && choice.drawn.empty() &&
                       (result.meanStep > kMaxMeanStep || result.crowded > kTraceTuning.crowdedShare);
    // The illegible case is said with what helps; the dim one here.
    if (result.meanStep > kMaxMeanStep && !result.illegible)
        result.notes << QCoreApplication::translate(
                            "Trace",
                            "Шаг между точками %1 ед. (больше 11): картинка выйдет тусклой и мерцающей. %2")
                            .arg(std::round(result.meanStep))
                            .arg(found.keepAll ? QCoreApplication::translate(
                                                     "Trace", "Сократите текст или уменьшите размер.")
                                               : QCoreApplication::translate(
                                                     "Trace", "Уменьшите размер или рисуйте меньше частей."));
    result.nearlyStill = NearlyStill(result.X, result.Y);
    result.detailLost = result.worstDeviation > kTraceTuning.maxDeviation;
    double weight = 0, drawnWeight = 0;
    for (size_t i = 0; i < n; ++i) {
        const bool shown = found.parts[i].kind != TracePart::Kind::Hole, drawn = chooser.drawn(i);
        result.partsDrawn += drawn;
        result.shownFound += shown;
        result.shownDrawn += shown && drawn;
        if (shown) weight += found.parts[i].weight, drawnWeight += drawn ? found.parts[i].weight : 0;
        if (result.states[i] == PartState::NoRoom || result.states[i] == PartState::TooFewPoints ||
            result.states[i] == PartState::MadeRoom)
            result.partsForPoints = true;
    }
    result.inkDrawn = weight > 0 ? drawnWeight / weight : 1;
    return result;
}

}  // namespace lp
