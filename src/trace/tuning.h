// The tracing's tuning: every number that decides what a trace draws, in one
// place, from the ink mask to the route (the points placed along it follow
// figure/placementtuning.h, as the ILDA import's do). Lengths are field units
// unless a line says pixels (of the ink mask).
#pragma once

#include <cstdint>

namespace lp {

struct TraceTuning {
    // The ink mask.
    int maskSide = 1000;                // the mask's longer side, pixels
    int keptMin = 800, keptMax = 1200;  // pictures with a longer side in this range keep their size
    double minContrast = 24;            // class means closer than this (grey levels) are one tone
    double drawingSeparation = 0.86;    // a drawing's threshold explains at least this share of the variance
    double drawingMiddle = 0.12;        // ... and at most this share of its pixels lie between its two tones
    int flatTones = 6;            // or a drawing in flat tones: its pixels in this many bands of grey levels,
    int flatBand = 2;             // ... each this many levels either side of its peak,
    double flatShare = 0.95;      // ... at least this share of them,
    double flatContrast = 32;     // ... its two groups at least this far apart (closer ones are a texture)
    int photoSmoothing = 120;     // a photograph is smoothed over its longer side / this (at least 2 px)
    float photoEdge = 0.1f;       // contrast (of full) that the photograph's smoothing keeps as an edge
    int majorityFilter = 250;     // a photograph's mask is evened over its longer side / this (at least 1 px)
    int64_t mostOutline = 40000;  // a mask whose outlines are longer (pixels) is traced coarser
    int standOut = 64;            // a transparent picture lies over white unless clearly more of its
    double overBlack = 1.25;      // opaque pixels (this many times) differ from black than from white by
                                  // standOut grey levels: drawings are made for a white page
    int groundColours = 3;        // the border's colours are sought in this many groups,
    double groundColourShare = 0.3;  // ... each holding this share of it to be ground
    int minInkDistance = 12;         // ink differs from the ground by at least this (grey levels)
    float colourChroma = 10;         // a photograph is in colour when its chroma (CIELAB) exceeds this ...
    double colourShare = 0.1;        // ... on this share of it; a grey one is traced by its grey levels
    int innerEdgeDistance = 60;      // colours of ink this far apart (grey levels) meet at an edge; and
    double innerEdgeShare = 0.2;     // a piece whose edges between colours are this share of its outline ...
    double bandUnits = 3;  // ... is drawn along its edges, bands narrower than this along their middle
    float photoLightWeight = 0.5f;  // in a photograph lightness counts this much (shadows count less)
    int grabCutRounds = 2;          // rounds of the photograph's segmentation
    double photoStandOut = 5;       // an object's colour differs from the ground's by this (CIELAB)
    int photoSide = 200;            // a photograph is segmented at most this size (pixels) ...
    double photoGrain = 1.0;        // ... its grain blurred away over this (a Gaussian's sigma, pixels)
    double photoLeast = 0.002;      // an object covers at least this share of the photograph

    // The parts.
    double groundShare = 0.5;      // ink covering this share of the picture's border is the ground
    double speckUnits = 1.5;       // parts and holes smaller than a square of this side are dropped
    double photoSpeck = 1.0 / 60;  // in a photograph, specks are smaller than this share of the mask's side
    double photoHoleShare = 0.03;  // ... and holes under this share of their part are texture
    double thinUnits = 6;          // a part is drawn along its strokes when they are at most this wide
    double thinRatio = 10;         // ... and its longer side is this many times their width
    double deepShare = 0.1;        // ... with at most this share of its ink deeper inside
    double holeWeight = 0.25;      // a hole ranks as this share of its area
    double strokeWeightWidth = 4;  // a drawing of strokes ranks as its length times at least this width
    int size = 200;                // what is traced is fitted to this longer side by default

    // Outlines (potrace) and their flattening.
    int turdPixels = 2;           // potrace leaves out paths of at most this many pixels
    double alphaMax = 1.0;        // potrace's corner threshold: 1.0 keeps a square's corners sharp
    double optTolerance = 0.2;    // potrace joins curves that stay within this (pixels)
    double flattening = 0.1;      // curves are flattened into lines within this
    double tipTurnDegrees = 100;  // a rounded turn at least this sharp ...
    double tipRounding = 1.5;     // ... passing within this of its control lines' meeting point is a tip

    // Line drawings (pixels; w is the estimated stroke width).
    double spurWidths = 1;    // whiskers shorter than this many stroke widths are cut off
    double smoothing = 0.25;  // strokes are smoothed over w times this (a Gaussian's sigma) ...
    double smoothingMin = 1, smoothingMax = 3;  // ... between these
    double strokeCornerSpan = 0.75;             // a stroke's corners are looked for within w times this ...
    double strokeCornerSpanMin = 3;             // ... and at least this each way
    double strokeSimplify = 0.3;                // a smoothed stroke keeps its shape within this

    // Choosing the parts drawn.
    double maxMeanStep = 11;      // a longer mean step makes a dim, flickering picture
    double stillRoute = 100;      // a shorter route, or one within a square of
    double stillSpan = 10;        // ... this side, concentrates the beam: a hazard
    double minPartPoints = 6;     // a part that would get fewer points is left out
    double crowdedReach = 3;      // lines of the route closer than this merge into one ...
    double crowdedShare = 0.2;    // ... and a route that runs so over this share of itself is illegible
    double maxDeviation = 1;      // beyond it, detail is lost (the user is told)
    double bridgeSpacing = 1.5;   // loops are sampled this densely for their nearest points
    double bridgeSamples = 5000;  // ... at most about this many samples
};

inline constexpr TraceTuning kTraceTuning{};

}  // namespace lp
