// Tracing's vocabulary: a picture or text becomes one closed contour of 256
// points. The trace window and the command line go through TraceSession
// (trace/session.h), which runs the stages: the ink mask, the parts found
// (ranked by how much of the picture each is), and the route through the
// parts chosen with its 256 points.
#pragma once

#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTransform>
#include <set>

#include "figure/figuredata.h"
#include "figure/geometry.h"
#include "trace/inkmask.h"
#include "trace/tuning.h"

namespace lp {

struct TraceOptions {
    MaskOptions mask;
    double speckUnits =
        kTraceTuning.speckUnits;  // specks: parts and holes smaller than a square of this side
    // Auto: each part by its outline or, when its strokes are thin for its
    // size, along their middle; Outline and Lines force one way for all.
    enum class Mode { Auto, Outline, Lines } mode = Mode::Auto;
};

// The mode of the window's choice or the command line's --lines / --outline.
TraceOptions::Mode TraceModeOf(bool lines, bool outline);

struct TracePlacement {
    // Fit: the bounding box of what is drawn, longer side = size units,
    // centred on 127. InPlace: the whole source picture maps onto `area`
    // (field units, may be stretched non-uniformly).
    bool fit = true;
    int size = kTraceTuning.size;
    QRectF area;
    static TracePlacement Fit(int size = kTraceTuning.size);
    static TracePlacement InPlace(const QRectF& area);
};

// Why nothing could be traced.
enum class TraceFailure { None, NoPicture, NoPlace, NoInk, NoObject, AllInk, NoText, Stopped };

struct TracePart {
    enum class Kind { Filled, Hole, Strokes } kind = Kind::Filled;
    int parent = -1;              // a hole's part
    std::vector<Polyline> loops;  // field units: an outline, or the closed walk over the strokes
    double weight = 0;            // its rank: the area it covers (a hole counts a quarter), field units²
    double length = 0;            // of its loops, field units
    QRectF bounds;
};

struct TraceParts {
    TraceFailure failure = TraceFailure::None;
    QString error;                 // for the user when it failed
    std::vector<TracePart> parts;  // the largest first; a part's id is its index
    Ink inkUsed = Ink::Dark;
    bool photo = false;
    int fitSize = 0;           // the kept parts are fitted to this size (0: in place)
    QTransform sourceToParts;  // the source picture's pixels -> the parts' coordinates
    bool keepAll = false;      // text: no letter is left out for want of points
    QStringList notes;         // e.g. a font the system lacks, letters too small to read
};

// What the user leaves out: parts by id (a hole left out is filled in), and
// all but the `largest` (0: no limit) largest parts. The parts in `drawn` are
// drawn all the same, and before the others when points are short.
struct PartChoice {
    std::set<int> leftOut;
    int largest = 0;
    std::set<int> drawn;
};

// MadeRoom: it would be drawn but for the parts the user brought back, for
// which the points are short.
enum class PartState { Drawn, LeftOutByUser, BeyondLargest, NoRoom, TooFewPoints, MadeRoom };

struct TraceResult {
    bool ok = false;
    TraceFailure failure = TraceFailure::None;
    QString error;  // for the user, e.g. what was looked for and what to try
    Coords X{}, Y{};
    int contours = 0;
    double routeLength = 0, bridgeLength = 0, worstDeviation = 0;  // field units
    double meanStep = 0;                                           // routeLength / 256
    bool detailLost = false;        // 256 points cannot hold the route within one unit
    std::vector<PartState> states;  // by part id
    QTransform partsToField;        // the parts' loops -> field units, as the parts drawn were fitted
    int partsDrawn = 0, partsFound = 0;
    int shownDrawn = 0, shownFound = 0;  // the same without holes: the parts a person sees
    double inkDrawn = 1;                 // the share of the parts' weight drawn
    bool partsForPoints = false;         // parts were left out for want of points
    bool illegible = false;              // even the largest part alone needs a longer mean step than 11,
                                         // or the route runs crowded: too detailed for 256 points
    double crowded = 0;                  // the share of the route running beside another stretch of it
    bool nearlyStill = false;            // the beam would nearly stand still: NearlyStillWarning()
    QStringList notes;
};

// Why not all that was found is drawn, for the window and the command line
// to say in their own words: even the largest part alone needs steps longer
// than 11, or the route runs crowded (too detailed for 256 points); parts
// left out by the user's choice only, or for want of points.
enum class LeftOut { Nothing, Illegible, Crowded, ByChoice, ForPoints };
LeftOut LeftOutOf(const TraceResult& result);

}  // namespace lp
