// Ink and ground by colour: a picture's colours in CIELAB, its ground the
// colours along its border, and how far each pixel lies from that ground.
#pragma once

#include <QImage>
#include <cstdint>
#include <opencv2/core.hpp>
#include <vector>

namespace lp {

// The picture as 8-bit BGR; a transparent one laid over black or white,
// whichever more of its opaque pixels stand out from.
cv::Mat OverContrastingGround(const QImage& work);

// CIELAB, L 0..100, a and b about -127..127.
cv::Mat LabOf(const cv::Mat& bgr);

// The colours that hold the picture's border (CIELAB): one for each group
// of border pixels that holds at least a share of it (several where the
// border holds several), the largest first.
std::vector<cv::Vec3f> GroundColours(const cv::Mat& bgr);

// Each pixel's distance in CIELAB from the nearest ground colour, two
// levels a unit, at most 255; lightness counts `lightWeight` of itself.
std::vector<uint8_t> GroundDistance(const cv::Mat& lab, const std::vector<cv::Vec3f>& ground,
                                    float lightWeight = 1.0f);

// The same in the picture's own values (0..255 a channel, the root mean
// square over the channels), in which an antialiased edge's pixels mix ink
// and ground in proportion to the ink they cover.
std::vector<uint8_t> GroundDistance8(const cv::Mat& bgr, const std::vector<cv::Vec3f>& ground);

// Whether a share of the picture has a colour rather than a grey.
bool Colourful(const cv::Mat& bgr);

// Whether what is at least `cut` from the ground is mostly lighter than it.
bool InkIsLighter(const cv::Mat& bgr, const std::vector<uint8_t>& distance, int cut,
                  const std::vector<cv::Vec3f>& ground);

}  // namespace lp
