#include "trace/ink/tone.h"

#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>

#include "trace/tuning.h"

namespace lp {

namespace {

constexpr int kFlatTones = kTraceTuning.flatTones, kFlatBand = kTraceTuning.flatBand;
constexpr double kFlatShare = kTraceTuning.flatShare;

// A drawing in a few flat tones (a logo in three colours, a map): nearly all
// its pixels lie within a few narrow bands of grey levels.
bool FewFlatTones(std::vector<int64_t> histogram, double total) {
    double covered = 0;
    for (int tone = 0; tone < kFlatTones && covered < kFlatShare * total; ++tone) {
        int best = 0;
        double most = -1;
        for (int level = 0; level < 256; ++level) {
            double band = 0;
            for (int k = std::max(0, level - kFlatBand); k <= std::min(255, level + kFlatBand); ++k)
                band += double(histogram[size_t(k)]);
            if (band > most) most = band, best = level;
        }
        covered += most;
        for (int k = std::max(0, best - kFlatBand); k <= std::min(255, best + kFlatBand); ++k)
            histogram[size_t(k)] = 0;
    }
    return covered >= kFlatShare * total;
}

// Means of the values in a square window of `radius` each way, the
// picture's edge pixels repeated beyond it.
void BoxMean(const std::vector<float>& in, std::vector<float>& out, int width, int height, int radius) {
    out.resize(in.size());
    const cv::Mat source(height, width, CV_32F, const_cast<float*>(in.data()));
    cv::Mat mean(height, width, CV_32F, out.data());
    cv::blur(source, mean, cv::Size(2 * radius + 1, 2 * radius + 1), cv::Point(-1, -1), cv::BORDER_REPLICATE);
}

constexpr int kTerms = 6;  // 1, x, y, x², xy, y²

void Terms(double x, double y, double* t) {
    t[0] = 1, t[1] = x, t[2] = y, t[3] = x * x, t[4] = x * y, t[5] = y * y;
}

// Solves a x = b by Gaussian elimination with pivoting; false when singular.
bool Solve(double a[kTerms][kTerms], double b[kTerms], double x[kTerms]) {
    for (int c = 0; c < kTerms; ++c) {
        int pivot = c;
        for (int r = c + 1; r < kTerms; ++r)
            if (std::abs(a[r][c]) > std::abs(a[pivot][c])) pivot = r;
        if (std::abs(a[pivot][c]) < 1e-12) return false;
        std::swap(a[c], a[pivot]);
        std::swap(b[c], b[pivot]);
        for (int r = c + 1; r < kTerms; ++r) {
            const double f = a[r][c] / a[c][c];
            for (int k = c; k < kTerms; ++k) a[r][k] -= f * a[c][k];
            b[r] -= f * b[c];
        }
    }
    for (int r = kTerms - 1; r >= 0; --r) {
        double sum = b[r];
        for (int k = r + 1; k < kTerms; ++k) sum -= a[r][k] * x[k];
        x[r] = sum / a[r][r];
    }
    return true;
}

}  // namespace

int OtsuThreshold(const std::vector<int64_t>& histogram) {
    double total = 0, sum = 0;
    int levels = 0;
    for (int i = 0; i < 256; ++i) {
        total += double(histogram[size_t(i)]);
        sum += double(i) * double(histogram[size_t(i)]);
        levels += histogram[size_t(i)] > 0;
    }
    if (levels < 2) return 128;  // one grey level: nothing to split
    double below = 0, belowSum = 0, best = -1;
    int threshold = 128;
    for (int t = 1; t < 256; ++t) {
        below += double(histogram[size_t(t - 1)]);
        belowSum += double(t - 1) * double(histogram[size_t(t - 1)]);
        const double above = total - below;
        if (below == 0 || above == 0) continue;
        const double d = belowSum / below - (sum - belowSum) / above;
        const double between = below * above * d * d;
        if (between > best) {
            best = between;
            threshold = t;
        }
    }
    return threshold;
}

void MajorityFilter(std::vector<uint8_t>& mask, int width, int height) {
    if (width <= 0 || height <= 0) return;
    const int radius = std::max(1, std::max(width, height) / kTraceTuning.majorityFilter);
    std::vector<float> value(mask.begin(), mask.end()), mean;
    BoxMean(value, mean, width, height, radius);
    for (size_t i = 0; i < mask.size(); ++i) mask[i] = mean[i] > 0.5f;
}

int FlattenGround(std::vector<uint8_t>& grey, int width, int height, bool lightInk) {
    if (width < 2 || height < 2) return 128;
    const std::vector<uint8_t> original = grey;
    std::vector<int64_t> histogram(256, 0);
    for (const uint8_t level : grey) ++histogram[level];
    int threshold = OtsuThreshold(histogram);
    const double sx = 2.0 / (width - 1), sy = 2.0 / (height - 1);
    double c[kTerms] = {}, spread = INFINITY;  // the last fit and how far the ground strayed from it
    for (int round = 0; round < 3; ++round) {
        // Least squares over every fourth pixel of the ground each way,
        // leaving out what strays far from the last fit (a dark band at the
        // edge, a shadow).
        double a[kTerms][kTerms] = {}, b[kTerms] = {}, t[kTerms], sum = 0, count = 0;
        for (int y = 0; y < height; y += 4)
            for (int x = 0; x < width; x += 4) {
                const int level = grey[size_t(y) * size_t(width) + size_t(x)];
                if ((level >= threshold) == lightInk) continue;
                const double value = original[size_t(y) * size_t(width) + size_t(x)];
                Terms(x * sx - 1, y * sy - 1, t);
                double fit = 0;
                for (int i = 0; i < kTerms; ++i) fit += c[i] * t[i];
                if (round > 0 && std::abs(value - fit) > 2.5 * spread) continue;
                for (int i = 0; i < kTerms; ++i) {
                    for (int j = 0; j < kTerms; ++j) a[i][j] += t[i] * t[j];
                    b[i] += t[i] * value;
                }
                sum += value, ++count;
            }
        const double last = spread;
        if (count < 4 * kTerms || !Solve(a, b, c)) break;
        // How far the ground strays from the new fit.
        double strayed = 0, counted = 0;
        for (int y = 0; y < height; y += 4)
            for (int x = 0; x < width; x += 4) {
                const size_t i = size_t(y) * size_t(width) + size_t(x);
                if ((grey[i] >= threshold) == lightInk) continue;
                Terms(x * sx - 1, y * sy - 1, t);
                double off = original[i];
                for (int k = 0; k < kTerms; ++k) off -= c[k] * t[k];
                if (std::abs(off) > 2.5 * last) continue;
                strayed += off * off, ++counted;
            }
        spread = counted > 0 ? std::max(1.0, std::sqrt(strayed / counted)) : last;
        const double level = sum / count;
        std::fill(histogram.begin(), histogram.end(), 0);
        for (int y = 0; y < height; ++y) {
            const double v = y * sy - 1;
            const double row = c[0] + c[2] * v + c[5] * v * v, slope = c[1] + c[4] * v;
            for (int x = 0; x < width; ++x) {
                const double u = x * sx - 1;
                const size_t i = size_t(y) * size_t(width) + size_t(x);
                const double light = std::max(8.0, row + slope * u + c[3] * u * u);
                const double flat = original[i] * level / light;
                grey[i] = uint8_t(std::clamp(std::lround(flat), 0L, 255L));
                ++histogram[grey[i]];
            }
        }
        threshold = OtsuThreshold(histogram);
    }
    // Objects of a photograph vary in tone; the ground, evened out, does not.
    // The cut lies a fifth of the way from the ground's peak to the ink's
    // mean, or four deviations of the ground (measured on its far side from
    // the ink) away from the peak where that is farther.
    int peak = -1;
    double ink = 0, inkCount = 0;
    for (int level = 0; level < 256; ++level) {
        const double count = double(histogram[size_t(level)]);
        if ((level >= threshold) == lightInk) {
            ink += count * level;
            inkCount += count;
        } else if (peak < 0 || count > double(histogram[size_t(peak)])) {
            peak = level;
        }
    }
    if (inkCount == 0 || peak < 0) return threshold;
    double squares = 0, count = 0;
    for (int level = 0; level < 256; ++level)
        if (lightInk ? level < peak : level > peak) {
            squares += double(histogram[size_t(level)]) * (level - peak) * (level - peak);
            count += double(histogram[size_t(level)]);
        }
    const double deviation = count > 0 ? std::sqrt(squares / count) : 0;
    const double inkMean = ink / inkCount, away = std::max(4 * deviation, std::abs(inkMean - peak) / 5);
    const double cut = lightInk ? std::min(peak + away, inkMean) : std::max(peak - away, inkMean) + 1;
    return std::clamp(int(std::lround(cut)), 1, 255);
}

Tone ToneOf(const std::vector<int64_t>& histogram) {
    Tone tone;
    tone.threshold = OtsuThreshold(histogram);
    double n[2] = {0, 0}, sum[2] = {0, 0}, squares = 0;
    for (int level = 0; level < 256; ++level) {
        const double count = double(histogram[size_t(level)]);
        const int side = level >= tone.threshold;
        n[side] += count;
        sum[side] += count * level;
        squares += count * level * level;
    }
    const double total = n[0] + n[1];
    if (n[0] == 0 || n[1] == 0 || total == 0) return tone;
    const double m0 = sum[0] / n[0], m1 = sum[1] / n[1], mean = (sum[0] + sum[1]) / total;
    tone.contrast = m1 - m0;
    const double variance = squares / total - mean * mean;
    const double between = n[0] * n[1] / (total * total) * (m1 - m0) * (m1 - m0);
    tone.separation = variance > 0 ? between / variance : 1;
    // The share of pixels in the middle half between the two groups' means.
    double middle = 0;
    for (int level = int(std::ceil(m0 + (m1 - m0) / 4)); level <= int(m1 - (m1 - m0) / 4); ++level)
        middle += double(histogram[size_t(std::clamp(level, 0, 255))]);
    // A drawing's split explains nearly all its variance (antialiased edges and
    // a little shading aside), and between the two groups' centres it has few
    // levels: its edges. Or it is in a few flat tones, further apart than a
    // texture's.
    tone.continuous =
        (tone.separation < kTraceTuning.drawingSeparation || middle / total > kTraceTuning.drawingMiddle) &&
        !(tone.contrast >= kTraceTuning.flatContrast && FewFlatTones(histogram, total));
    return tone;
}

void SmoothKeepingEdges(std::vector<uint8_t>& grey, int width, int height) {
    if (width <= 0 || height <= 0) return;
    const int radius = std::max(2, std::max(width, height) / kTraceTuning.photoSmoothing);
    std::vector<float> value(grey.size()), squares(grey.size()), mean, meanSquares;
    for (size_t i = 0; i < grey.size(); ++i) {
        value[i] = grey[i] / 255.0f;
        squares[i] = value[i] * value[i];
    }
    BoxMean(value, mean, width, height, radius);
    BoxMean(squares, meanSquares, width, height, radius);
    // Variance below kEdge is smoothed away, above it kept.
    constexpr float kEdge = kTraceTuning.photoEdge * kTraceTuning.photoEdge;
    for (size_t i = 0; i < grey.size(); ++i) {
        const float variance = std::max(0.0f, meanSquares[i] - mean[i] * mean[i]);
        const float a = variance / (variance + kEdge);
        squares[i] = a;                      // a
        meanSquares[i] = mean[i] * (1 - a);  // b
    }
    std::vector<float> meanA, meanB;
    BoxMean(squares, meanA, width, height, radius);
    BoxMean(meanSquares, meanB, width, height, radius);
    for (size_t i = 0; i < grey.size(); ++i)
        grey[i] = uint8_t(std::clamp(std::lround((meanA[i] * value[i] + meanB[i]) * 255.0f), 0L, 255L));
}

}  // namespace lp
