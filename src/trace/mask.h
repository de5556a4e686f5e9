// The ink mask: which pixels of a picture are ink, at the working size the
// tracer reads (the longer side about 1000 pixels).
#pragma once

#include <QImage>
#include <QTransform>
#include <cstdint>
#include <vector>

namespace lp {

// The longer side of the mask.
inline constexpr int kMaskSide = 1000;

struct InkMask {  // one byte per pixel, 1 = ink, row-major, y down
    int width = 0, height = 0;
    std::vector<uint8_t> ink;
    QTransform toSource;    // mask pixel coords -> the source picture's pixel coords
    int64_t inkPixels = 0;  // how many are ink

    bool at(int x, int y) const { return ink[static_cast<size_t>(y) * width + x] != 0; }
    bool isEmpty() const { return width <= 0 || height <= 0; }
};

struct MaskOptions {
    bool autoThreshold = true;  // Otsu's threshold when set, `threshold` otherwise
    int threshold = 128;        // grey levels below it are ink (above it when inverted)
    bool invert = false;        // light ink on a dark ground
};

// Grey levels, alpha (transparent = background), Otsu unless a threshold is
// given, inverted on request; small pictures scaled up smoothly and large ones
// down so the longer side is about kMaskSide pixels. `chosenThreshold`
// receives the threshold used.
InkMask MakeInkMask(const QImage& picture, const MaskOptions& options, int* chosenThreshold = nullptr);

// Otsu's threshold of a 256-bin histogram: the level t that best splits the
// grey levels into those below t and those at or above it.
int OtsuThreshold(const std::vector<int64_t>& histogram);

}  // namespace lp
