#include "trace/colour.h"

#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>

#include "figure/tuning.h"

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
    if (clear == 0 || fromBlack > fromWhite) return bgr;
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

std::vector<cv::Vec3f> GroundColours(const cv::Mat& lab) {
    // The outermost ring of pixels, every other one along long sides.
    std::vector<cv::Vec3f> border;
    const int step = std::max(1, (lab.cols + lab.rows) / 1000);
    for (int x = 0; x < lab.cols; x += step)
        border.push_back(lab.at<cv::Vec3f>(0, x)), border.push_back(lab.at<cv::Vec3f>(lab.rows - 1, x));
    for (int y = 1; y + 1 < lab.rows; y += step)
        border.push_back(lab.at<cv::Vec3f>(y, 0)), border.push_back(lab.at<cv::Vec3f>(y, lab.cols - 1));
    const int groups = std::min<int>(kTraceTuning.groundColours, int(border.size()));
    if (groups < 1) return {};
    cv::Mat samples(int(border.size()), 3, CV_32F, border.data()), labels, centres;
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
        if (ground.empty() || count[size_t(g)] >= kTraceTuning.groundColourShare * double(border.size()))
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

std::vector<uint8_t> GroundDistance8(const cv::Mat& bgr, const std::vector<cv::Vec3f>& ground) {
    std::vector<uint8_t> distance(size_t(bgr.rows) * size_t(bgr.cols), 0);
    if (ground.empty()) return distance;
    cv::Mat lab(1, int(ground.size()), CV_32FC3, const_cast<cv::Vec3f*>(ground.data())), colours;
    cv::cvtColor(lab, colours, cv::COLOR_Lab2BGR);
    colours *= 255;
    for (int y = 0; y < bgr.rows; ++y) {
        const cv::Vec3b* row = bgr.ptr<cv::Vec3b>(y);
        uint8_t* out = distance.data() + size_t(y) * size_t(bgr.cols);
        for (int x = 0; x < bgr.cols; ++x) {
            float nearest = INFINITY;
            for (int g = 0; g < colours.cols; ++g) {
                const cv::Vec3f& c = colours.at<cv::Vec3f>(0, g);
                const float d0 = row[x][0] - c[0], d1 = row[x][1] - c[1], d2 = row[x][2] - c[2];
                nearest = std::min(nearest, d0 * d0 + d1 * d1 + d2 * d2);
            }
            out[x] = uint8_t(std::min(255.0f, std::sqrt(nearest / 3) + 0.5f));
        }
    }
    return distance;
}

bool Colourful(const cv::Mat& lab) {
    int64_t coloured = 0;
    const float chroma2 = kTraceTuning.colourChroma * kTraceTuning.colourChroma;
    for (int y = 0; y < lab.rows; y += 2) {
        const cv::Vec3f* row = lab.ptr<cv::Vec3f>(y);
        for (int x = 0; x < lab.cols; x += 2)
            coloured += row[x][1] * row[x][1] + row[x][2] * row[x][2] > chroma2;
    }
    return double(coloured) >=
           kTraceTuning.colourShare * double((lab.rows + 1) / 2) * double((lab.cols + 1) / 2);
}

bool InkIsLighter(const cv::Mat& lab, const std::vector<uint8_t>& distance, int cut,
                  const std::vector<cv::Vec3f>& ground) {
    if (ground.empty()) return false;
    double lighter = 0, darker = 0;
    for (int y = 0; y < lab.rows; ++y) {
        const cv::Vec3f* row = lab.ptr<cv::Vec3f>(y);
        const uint8_t* d = distance.data() + size_t(y) * size_t(lab.cols);
        for (int x = 0; x < lab.cols; ++x)
            if (d[x] >= cut) (row[x][0] > ground.front()[0] ? lighter : darker) += 1;
    }
    return lighter > darker;
}

}  // namespace lp
