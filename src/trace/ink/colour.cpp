#include "trace/ink/colour.h"

#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>

#include "trace/tuning.h"

namespace lp {

namespace {

// The picture's pixels in memory order B, G, R, A.
cv::Mat Wrap(const QImage& work) {
    return cv::Mat(work.height(), work.width(), CV_8UC4, const_cast<uchar*>(work.constBits()),
                   size_t(work.bytesPerLine()));
}

}  // namespace

cv::Mat OverContrastingGround(const QImage& work) {
    const cv::Mat bgra = Wrap(work);
    cv::Mat bgr;
    cv::cvtColor(bgra, bgr, cv::COLOR_BGRA2BGR);  // premultiplied: over black
    if (!work.hasAlphaChannel()) return bgr;
    // Opaque pixels that stand out from black, and from white.
    int64_t clear = 0, fromBlack = 0, fromWhite = 0;
    for (int y = 0; y < work.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(work.constScanLine(y));
        for (int x = 0; x < work.width(); ++x) {
            const int alpha = qAlpha(line[x]);
            if (alpha < 128) {
                ++clear;
                continue;
            }
            const int grey = qGray(qUnpremultiply(line[x]));
            fromBlack += grey >= kTraceTuning.standOut;
            fromWhite += grey < 255 - kTraceTuning.standOut;
        }
    }
    if (clear == 0 || double(fromBlack) > kTraceTuning.overBlack * double(fromWhite)) return bgr;
    // Over white: each channel gains what the alpha leaves.
    for (int y = 0; y < bgr.rows; ++y) {
        const uchar* a = bgra.ptr<uchar>(y);
        uchar* o = bgr.ptr<uchar>(y);
        for (int x = 0; x < bgr.cols; ++x)
            for (int c = 0; c < 3; ++c)
                o[3 * x + c] = uchar(std::min(255, o[3 * x + c] + 255 - a[4 * x + 3]));
    }
    return bgr;
}

cv::Mat LabOf(const cv::Mat& bgr) {
    cv::Mat scaled, lab;
    bgr.convertTo(scaled, CV_32F, 1.0 / 255);
    cv::cvtColor(scaled, lab, cv::COLOR_BGR2Lab);
    return lab;
}

std::vector<cv::Vec3f> GroundColours(const cv::Mat& bgr) {
    // The outermost ring of pixels, at most about 4000 of them.
    std::vector<cv::Vec3b> ring;
    const int step = std::max(1, (bgr.cols + bgr.rows) / 1000);
    for (int x = 0; x < bgr.cols; x += step)
        ring.push_back(bgr.at<cv::Vec3b>(0, x)), ring.push_back(bgr.at<cv::Vec3b>(bgr.rows - 1, x));
    for (int y = 1; y + 1 < bgr.rows; y += step)
        ring.push_back(bgr.at<cv::Vec3b>(y, 0)), ring.push_back(bgr.at<cv::Vec3b>(y, bgr.cols - 1));
    const int groups = std::min<int>(kTraceTuning.groundColours, int(ring.size()));
    if (groups < 1) return {};
    const cv::Mat lab = LabOf(cv::Mat(int(ring.size()), 1, CV_8UC3, ring.data()));
    cv::Mat samples = lab.reshape(1, lab.rows), labels, centres;
    cv::setRNGSeed(1);
    cv::kmeans(samples, groups, labels,
               cv::TermCriteria(cv::TermCriteria::COUNT | cv::TermCriteria::EPS, 20, 0.5), 2,
               cv::KMEANS_PP_CENTERS, centres);
    std::vector<int> count(size_t(groups), 0);
    for (int i = 0; i < labels.rows; ++i) ++count[size_t(labels.at<int>(i))];
    std::vector<int> order(static_cast<size_t>(groups));
    for (int g = 0; g < groups; ++g) order[size_t(g)] = g;
    std::sort(order.begin(), order.end(), [&](int a, int b) { return count[size_t(a)] > count[size_t(b)]; });
    std::vector<cv::Vec3f> ground;
    for (const int g : order)
        if (ground.empty() || count[size_t(g)] >= kTraceTuning.groundColourShare * double(ring.size()))
            ground.push_back(centres.at<cv::Vec3f>(g));
    return ground;
}

std::vector<uint8_t> GroundDistance(const cv::Mat& lab, const std::vector<cv::Vec3f>& ground,
                                    float lightWeight) {
    std::vector<uint8_t> distance(size_t(lab.rows) * size_t(lab.cols), 0);
    if (ground.empty()) return distance;
    const float w2 = lightWeight * lightWeight;
    for (int y = 0; y < lab.rows; ++y) {
        const cv::Vec3f* row = lab.ptr<cv::Vec3f>(y);
        uint8_t* out = distance.data() + size_t(y) * size_t(lab.cols);
        for (int x = 0; x < lab.cols; ++x) {
            float nearest = INFINITY;
            for (const cv::Vec3f& g : ground) {
                const float dl = row[x][0] - g[0], da = row[x][1] - g[1], db = row[x][2] - g[2];
                nearest = std::min(nearest, w2 * dl * dl + da * da + db * db);
            }
            out[x] = uint8_t(std::min(255.0f, 2 * std::sqrt(nearest) + 0.5f));
        }
    }
    return distance;
}

namespace {

// The ground colours in the picture's own values.
std::vector<cv::Vec3i> ColoursOf(const std::vector<cv::Vec3f>& ground) {
    cv::Mat lab(1, int(ground.size()), CV_32FC3, const_cast<cv::Vec3f*>(ground.data())), bgr;
    cv::cvtColor(lab, bgr, cv::COLOR_Lab2BGR);
    std::vector<cv::Vec3i> colours;
    for (int g = 0; g < bgr.cols; ++g) {
        const cv::Vec3f c = bgr.at<cv::Vec3f>(0, g) * 255;
        colours.emplace_back(int(std::lround(c[0])), int(std::lround(c[1])), int(std::lround(c[2])));
    }
    return colours;
}

}  // namespace

std::vector<uint8_t> GroundDistance8(const cv::Mat& bgr, const std::vector<cv::Vec3f>& ground) {
    std::vector<uint8_t> distance(size_t(bgr.rows) * size_t(bgr.cols), 0);
    if (ground.empty()) return distance;
    const std::vector<cv::Vec3i> colours = ColoursOf(ground);
    // The root mean square over the channels of each squared distance.
    std::vector<uint8_t> root(3 * 255 * 255 + 1);
    for (size_t d = 0; d < root.size(); ++d) root[d] = uint8_t(std::lround(std::sqrt(double(d) / 3)));
    for (int y = 0; y < bgr.rows; ++y) {
        const uchar* row = bgr.ptr<uchar>(y);
        uint8_t* out = distance.data() + size_t(y) * size_t(bgr.cols);
        for (int x = 0; x < bgr.cols; ++x) {
            int nearest = 3 * 255 * 255;
            for (const cv::Vec3i& c : colours) {
                const int d0 = row[3 * x] - c[0], d1 = row[3 * x + 1] - c[1], d2 = row[3 * x + 2] - c[2];
                nearest = std::min(nearest, d0 * d0 + d1 * d1 + d2 * d2);
            }
            out[x] = root[size_t(nearest)];
        }
    }
    return distance;
}

bool Colourful(const cv::Mat& bgr) {
    cv::Mat small;
    const double scale = std::min(1.0, 200.0 / std::max(bgr.cols, bgr.rows));
    cv::resize(bgr, small, cv::Size(), scale, scale, cv::INTER_AREA);
    const cv::Mat lab = LabOf(small);
    int64_t coloured = 0;
    const float chroma2 = kTraceTuning.colourChroma * kTraceTuning.colourChroma;
    for (int y = 0; y < lab.rows; ++y) {
        const cv::Vec3f* row = lab.ptr<cv::Vec3f>(y);
        for (int x = 0; x < lab.cols; ++x)
            coloured += row[x][1] * row[x][1] + row[x][2] * row[x][2] > chroma2;
    }
    return double(coloured) >= kTraceTuning.colourShare * double(lab.total());
}

bool InkIsLighter(const cv::Mat& bgr, const std::vector<uint8_t>& distance, int cut,
                  const std::vector<cv::Vec3f>& ground) {
    if (ground.empty()) return false;
    const cv::Vec3i g = ColoursOf({ground.front()}).front();
    const int groundLight = 29 * g[0] + 150 * g[1] + 77 * g[2];
    int64_t lighter = 0, darker = 0;
    for (int y = 0; y < bgr.rows; ++y) {
        const uchar* row = bgr.ptr<uchar>(y);
        const uint8_t* d = distance.data() + size_t(y) * size_t(bgr.cols);
        for (int x = 0; x < bgr.cols; ++x)
            if (d[x] >= cut)
                (29 * row[3 * x] + 150 * row[3 * x + 1] + 77 * row[3 * x + 2] > groundLight ? lighter
                                                                                            : darker) += 1;
    }
    return lighter > darker;
}

}  // namespace lp
