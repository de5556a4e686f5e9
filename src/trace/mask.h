// The ink mask: which pixels of a picture are ink, at the working size the
// tracer reads (the longer side about 1000 pixels).
#pragma once

#include <QImage>
#include <QTransform>
#include <cstdint>
#include <stop_token>
#include <vector>

namespace lp {

// Which side of the threshold is ink: chosen by the picture's border, dark
// on light, light on dark; Opaque is what the automatic choice takes for a
// picture that is all one tone over its transparent ground.
enum class Ink { Auto, Dark, Light, Opaque };

struct InkMask {  // one byte per pixel, 1 = ink, row-major, y down
    int width = 0, height = 0;
    std::vector<uint8_t> ink;
    QTransform toSource;      // mask pixel coords -> the source picture's pixel coords
    int64_t inkPixels = 0;    // how many are ink
    Ink inkUsed = Ink::Dark;  // never Auto
    bool photo = false;       // continuous tone: smoothed before the threshold
    int threshold = 128;
    bool noObject = false;  // a photograph in which nothing stands out from the ground
    // The ink with each piece in several colours replaced by the strokes
    // along its edges, and which pixels are those strokes; empty when no
    // piece is in several colours.
    std::vector<uint8_t> edgeInk, edgeOnly;

    bool at(int x, int y) const { return ink[static_cast<size_t>(y) * width + x] != 0; }
    bool isEmpty() const { return width <= 0 || height <= 0; }
};

struct MaskOptions {
    bool autoThreshold = true;  // Otsu's threshold when set, `threshold` otherwise
    int threshold = 128;        // grey levels below it are dark ink, at or above it light ink
    Ink ink = Ink::Auto;
};

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

// Otsu's threshold of a 256-bin histogram: the level t that best splits the
// grey levels into those below t and those at or above it.
int OtsuThreshold(const std::vector<int64_t>& histogram);

}  // namespace lp
