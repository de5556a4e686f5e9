#include "trace/ink/photo.h"

#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>

#include "trace/ink/colour.h"
#include "trace/ink/tone.h"
#include "trace/tuning.h"

namespace lp {

namespace {

std::vector<int64_t> HistogramOf(const std::vector<uint8_t>& levels) {
    std::vector<int64_t> histogram(256, 0);
    for (const uint8_t level : levels) ++histogram[level];
    return histogram;
}

// The seeds of the cut: the border ring is ground, what differs from the
// border's colours likely object, the rest likely ground. False when
// nothing differs.
bool Seeds(const std::vector<uint8_t>& distance, int width, int height, cv::Mat& seeds) {
    const int cut = std::max(kTraceTuning.minInkDistance, OtsuThreshold(HistogramOf(distance)));
    const int ring = std::max(2, std::max(width, height) / 100);
    seeds.create(height, width, CV_8U);
    bool object = false;
    for (int y = 0; y < height; ++y) {
        uchar* row = seeds.ptr<uchar>(y);
        const uint8_t* d = distance.data() + size_t(y) * size_t(width);
        const bool edgeRow = y < ring || y >= height - ring;
        for (int x = 0; x < width; ++x) {
            if (edgeRow || x < ring || x >= width - ring)
                row[x] = cv::GC_BGD;
            else if (d[x] >= cut)
                row[x] = cv::GC_PR_FGD, object = true;
            else
                row[x] = cv::GC_PR_BGD;
        }
    }
    return object;
}

// Whether the object differs from the ground over an area, not only pixel by
// pixel as grain does: the mean colours of both, blurred, far enough apart.
bool StandsOut(const cv::Mat& lab, const cv::Mat& object) {
    const int count = cv::countNonZero(object);
    if (count < kTraceTuning.photoLeast * double(object.total()) || count == int(object.total()))
        return false;
    const int side = std::max(3, std::max(lab.cols, lab.rows) / 40) | 1;
    cv::Mat blurred;
    cv::blur(lab, blurred, cv::Size(side, side));
    const cv::Scalar inside = cv::mean(blurred, object), outside = cv::mean(blurred, object == 0);
    const double dl = inside[0] - outside[0], da = inside[1] - outside[1], db = inside[2] - outside[2];
    return std::sqrt(dl * dl + da * da + db * db) >= kTraceTuning.photoStandOut;
}

}  // namespace

void PhotoObjects(const cv::Mat& full, InkMask& mask) {
    cv::Mat bgr = full;
    const int longer = std::max(full.cols, full.rows);
    if (longer > kTraceTuning.photoSide) {
        const double scale = double(kTraceTuning.photoSide) / longer;
        cv::resize(full, bgr, cv::Size(), scale, scale, cv::INTER_AREA);
    }
    mask.toSource =
        QTransform::fromScale(double(full.cols) / bgr.cols, double(full.rows) / bgr.rows) * mask.toSource;
    mask.width = bgr.cols;
    mask.height = bgr.rows;
    mask.ink.assign(size_t(bgr.total()), 0);
    mask.inkPixels = 0;

    cv::Mat smooth;
    cv::GaussianBlur(bgr, smooth, cv::Size(), kTraceTuning.photoGrain);
    const cv::Mat lab = LabOf(smooth);
    const std::vector<cv::Vec3f> ground = GroundColours(smooth);
    const std::vector<uint8_t> distance = GroundDistance(lab, ground, kTraceTuning.photoLightWeight);
    cv::Mat seeds, groundModel, objectModel;
    if (!Seeds(distance, mask.width, mask.height, seeds)) {
        mask.noObject = true;
        return;
    }
    cv::grabCut(smooth, seeds, cv::Rect(), groundModel, objectModel, kTraceTuning.grabCutRounds,
                cv::GC_INIT_WITH_MASK);
    cv::Mat object = (seeds & 1);
    if (!StandsOut(lab, object)) {
        mask.noObject = true;
        return;
    }
    // Traced at twice the size of the cut, its edges interpolated.
    cv::Mat fine;
    cv::resize(object * 255, fine, cv::Size(), 2, 2, cv::INTER_LINEAR);
    mask.toSource = QTransform::fromScale(0.5, 0.5) * mask.toSource;
    mask.width = fine.cols;
    mask.height = fine.rows;
    mask.ink.resize(fine.total());
    std::transform(fine.begin<uchar>(), fine.end<uchar>(), mask.ink.begin(),
                   [](uchar v) { return v >= 128; });
    MajorityFilter(mask.ink, mask.width, mask.height);
    mask.inkPixels = std::count(mask.ink.begin(), mask.ink.end(), uint8_t(1));
    const cv::Scalar inside = cv::mean(lab, object);
    mask.inkUsed = !ground.empty() && inside[0] > ground.front()[0] ? Ink::Light : Ink::Dark;
}

}  // namespace lp
