// The ink mask: which pixels of a picture are ink, at the working size the
// tracer reads (the longer side about 1000 pixels).
#pragma once

#include <QTransform>
#include <cstdint>
#include <vector>

namespace lp {

// Which side of the threshold is ink: chosen by the picture's border, dark
// on light, light on dark; Opaque is what the automatic choice takes for a
// picture that is all one tone over its transparent ground.
enum class Ink { Auto, Dark, Light, Opaque };

struct MaskOptions {
    bool autoThreshold = true;  // Otsu's threshold when set, `threshold` otherwise
    int threshold = 128;        // grey levels below it are dark ink, at or above it light ink
    Ink ink = Ink::Auto;
};

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

}  // namespace lp
