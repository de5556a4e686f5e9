#include "trace/mask.h"

#include <algorithm>
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
    if (work.format() != QImage::Format_ARGB32 && work.format() != QImage::Format_RGB32)
        work = work.convertToFormat(QImage::Format_ARGB32);
    return work;
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

    // Grey levels over the background: white, or black for light ink on dark.
    const int ground = options.invert ? 0 : 255;
    std::vector<uint8_t> grey(size_t(mask.width) * size_t(mask.height));
    std::vector<int64_t> histogram(256, 0);
    for (int y = 0; y < mask.height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(work.constScanLine(y));
        uint8_t* out = grey.data() + size_t(y) * size_t(mask.width);
        for (int x = 0; x < mask.width; ++x) {
            const QRgb c = line[x];
            const int a = work.hasAlphaChannel() ? qAlpha(c) : 255;
            const int level = (qGray(c) * a + ground * (255 - a) + 127) / 255;
            out[x] = uint8_t(level);
            ++histogram[size_t(level)];
        }
    }
    const int threshold =
        options.autoThreshold ? OtsuThreshold(histogram) : std::clamp(options.threshold, 0, 256);
    if (chosenThreshold) *chosenThreshold = threshold;

    mask.ink.resize(grey.size());
    if (options.invert)
        std::transform(grey.begin(), grey.end(), mask.ink.begin(),
                       [threshold](uint8_t g) { return g >= threshold; });
    else
        std::transform(grey.begin(), grey.end(), mask.ink.begin(),
                       [threshold](uint8_t g) { return g < threshold; });
    return mask;
}

}  // namespace lp
