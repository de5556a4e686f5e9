// Making the ink mask from a picture: which pixels are ink, at the working
// size the tracer reads.
#pragma once

#include <QImage>
#include <QStringView>
#include <stop_token>

#include "trace/inkmask.h"

namespace lp {

// The inks one chooses, in the order the trace window lists them and by the
// words of the command line's --ink: auto, dark, light.
Ink InkChoice(int index);        // out of range: Auto
Ink InkNamed(QStringView word);  // unknown: Auto

// By default ink is what differs in colour from the colours along the
// picture's border (a transparent picture laid over a ground its opaque
// pixels stand out from), cut by Otsu's method, a photograph's objects found
// by a graph cut. A chosen ink or threshold reads grey levels over white
// (over black for light ink: transparent is never ink), Otsu unless a
// threshold is given; small pictures scaled up smoothly
// and large ones down so the longer side is about kTraceTuning.maskSide pixels. A
// continuous-tone picture is smoothed first, keeping its edges. Empty when
// stopped early.
InkMask MakeInkMask(const QImage& picture, const MaskOptions& options, std::stop_token stop = {});

}  // namespace lp
