// The tones of a picture: whether its grey levels fall into two clear groups
// (a drawing, a logo, text) or spread over many (a photograph), and the
// smoothing that quiets a photograph's texture while keeping its edges.
#pragma once

#include <cstdint>
#include <vector>

namespace lp {

struct Tone {
    int threshold = 128;      // Otsu's
    double contrast = 0;      // between the means of the two groups, in grey levels
    double separation = 1;    // the share of the grey levels' variance that the split explains
    bool continuous = false;  // a photograph or another continuous-tone picture
};

// Otsu's threshold of a 256-bin histogram: the level t that best splits the
// grey levels into those below t and those at or above it.
int OtsuThreshold(const std::vector<int64_t>& histogram);

Tone ToneOf(const std::vector<int64_t>& histogram);

// A self-guided filter (He, Sun and Tang, "Guided image filtering", 2010) of
// a radius scaled to the picture: flat runs and texture weaker than the
// picture's contrast are evened out, edges kept.
void SmoothKeepingEdges(std::vector<uint8_t>& grey, int width, int height);

// Each pixel of a 0/1 mask becomes what most of the square around it is,
// the square's side scaled to the picture: ragged edges grow smooth.
void MajorityFilter(std::vector<uint8_t>& mask, int width, int height);

// Evens out light that falls unevenly on the ground (the side of the
// threshold that is not ink): a quadratic surface fitted to the ground's
// grey levels is taken away, three times over, the threshold chosen anew
// each time. Returns the last threshold.
int FlattenGround(std::vector<uint8_t>& grey, int width, int height, bool lightInk);

}  // namespace lp
