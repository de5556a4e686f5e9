#include "trace/mask.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace lp {

namespace {

// Pictures whose longer side lies in this range are traced at their own size.
constexpr int kKeptMin = 800, kKeptMax = 1200;

QImage WorkingPicture(const QImage& picture) {
    const int longer = std::max(picture.width(), picture.height());
    QImage work = picture;
    if (longer < kKeptMin || longer > kKeptMax)
        work = picture.scaled(QSize(kMaskSide, kMaskSide), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (work.format() != QImage::Format_ARGB32_Premultiplied && work.format() != QImage::Format_RGB32)
        work = work.convertToFormat(work.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                           : QImage::Format_RGB32);
    return work;
}

// One row's grey levels over the ground (colours premultiplied by their
// alpha); plain pointers let it vectorise.
void GreyRow(const QRgb* __restrict line, uint8_t* __restrict out, int width, bool alpha, int ground) {
    if (alpha) {
        for (int x = 0; x < width; ++x)
            out[x] = uint8_t(std::min(255, qGray(line[x]) + (ground * (255 - qAlpha(line[x])) + 127) / 255));
    } else {
        for (int x = 0; x < width; ++x) out[x] = uint8_t(qGray(line[x]));
    }
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

InkMask MakeInkMask(const QImage& picture, const MaskOptions& options, int* chosenThreshold) {
    InkMask mask;
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0) return mask;
    const QImage work = WorkingPicture(picture);
    mask.width = work.width();
    mask.height = work.height();
    mask.toSource =
        QTransform::fromScale(double(picture.width()) / mask.width, double(picture.height()) / mask.height);

    // Grey levels over the background (white, or black for light ink on
    // dark) are counted, then become ink or not in place.
    const int ground = options.invert ? 0 : 255;
    const bool alpha = work.hasAlphaChannel();
    mask.ink.resize(size_t(mask.width) * size_t(mask.height));
    // Eight counts in turn, so that runs of one grey level do not wait on each other.
    std::array<std::array<uint32_t, 256>, 8> counts{};
    for (int y = 0; y < mask.height; ++y) {
        uint8_t* grey = mask.ink.data() + size_t(y) * size_t(mask.width);
        GreyRow(reinterpret_cast<const QRgb*>(work.constScanLine(y)), grey, mask.width, alpha, ground);
        size_t x = 0;
        for (; x + 8 <= size_t(mask.width); x += 8)
            for (size_t k = 0; k < 8; ++k) ++counts[k][grey[x + k]];
        for (; x < size_t(mask.width); ++x) ++counts[0][grey[x]];
    }
    std::vector<int64_t> histogram(256, 0);
    for (size_t level = 0; level < 256; ++level)
        for (const auto& count : counts) histogram[level] += count[level];
    const int threshold =
        options.autoThreshold ? OtsuThreshold(histogram) : std::clamp(options.threshold, 0, 256);
    if (chosenThreshold) *chosenThreshold = threshold;

    for (int level = 0; level < 256; ++level)
        if (options.invert ? level >= threshold : level < threshold)
            mask.inkPixels += histogram[size_t(level)];
    uint8_t* __restrict pixel = mask.ink.data();
    const size_t n = mask.ink.size();
    const uint8_t cut = uint8_t(std::clamp(threshold, 0, 255));
    if (options.invert)
        for (size_t i = 0; i < n; ++i) pixel[i] = pixel[i] >= cut;
    else if (threshold > 255)
        std::fill(pixel, pixel + n, uint8_t(1));
    else
        for (size_t i = 0; i < n; ++i) pixel[i] = pixel[i] < cut;
    return mask;
}

}  // namespace lp
