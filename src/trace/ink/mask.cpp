#include "trace/ink/mask.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "trace/ink/colour.h"
#include "trace/ink/colouredges.h"
#include "trace/ink/photo.h"
#include "trace/ink/tone.h"
#include "trace/tuning.h"

namespace lp {

namespace {

QImage WorkingPicture(const QImage& picture) {
    const int longer = std::max(picture.width(), picture.height());
    QImage work = picture;
    const int side = kTraceTuning.maskSide;
    if (longer < kTraceTuning.keptMin || longer > kTraceTuning.keptMax)
        work = picture.scaled(QSize(side, side), Qt::KeepAspectRatio, Qt::SmoothTransformation);
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

// The grey levels of the whole picture over a ground, and their histogram.
std::vector<int64_t> Greys(const QImage& work, int ground, std::vector<uint8_t>& grey) {
    const int width = work.width(), height = work.height();
    const bool alpha = work.hasAlphaChannel();
    grey.resize(size_t(width) * size_t(height));
    // Eight counts in turn, so that runs of one grey level do not wait on each other.
    std::array<std::array<uint32_t, 256>, 8> counts{};
    for (int y = 0; y < height; ++y) {
        uint8_t* row = grey.data() + size_t(y) * size_t(width);
        GreyRow(reinterpret_cast<const QRgb*>(work.constScanLine(y)), row, width, alpha, ground);
        size_t x = 0;
        for (; x + 8 <= size_t(width); x += 8)
            for (size_t k = 0; k < 8; ++k) ++counts[k][row[x + k]];
        for (; x < size_t(width); ++x) ++counts[0][row[x]];
    }
    std::vector<int64_t> histogram(256, 0);
    for (size_t level = 0; level < 256; ++level)
        for (const auto& count : counts) histogram[level] += count[level];
    return histogram;
}

std::vector<int64_t> Histogram(const std::vector<uint8_t>& grey) {
    std::vector<int64_t> histogram(256, 0);
    for (const uint8_t level : grey) ++histogram[level];
    return histogram;
}

// Whether the picture has both a transparent ground and opaque pixels.
bool HasTransparency(const QImage& work) {
    if (!work.hasAlphaChannel()) return false;
    int64_t clear = 0, opaque = 0;
    for (int y = 0; y < work.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(work.constScanLine(y));
        for (int x = 0; x < work.width(); ++x) (qAlpha(line[x]) < 128 ? clear : opaque) += 1;
    }
    const int64_t least = std::max<int64_t>(1, int64_t(work.width()) * work.height() / 1000);
    return clear >= least && opaque >= least;
}

// Light ink where most of the picture's border is dark.
bool BorderIsDark(const std::vector<uint8_t>& grey, int width, int height, int threshold) {
    int64_t dark = 0, all = 0;
    auto count = [&](int x, int y) {
        dark += grey[size_t(y) * size_t(width) + size_t(x)] < threshold;
        ++all;
    };
    for (int x = 0; x < width; ++x) count(x, 0), count(x, height - 1);
    for (int y = 1; y + 1 < height; ++y) count(0, y), count(width - 1, y);
    return 2 * dark > all;
}

// Ink by colour: what differs from the colours along the border, lighter or
// darker, by at least `cut` (below 0: Otsu's cut); a colour photograph's
// objects by a graph cut. False for a grey photograph, which its grey levels
// trace better, and for a photograph given a cut.
bool ColourMask(const QImage& work, int cut, InkMask& mask) {
    const cv::Mat bgr = OverContrastingGround(work);
    const std::vector<cv::Vec3f> ground = GroundColours(bgr);
    std::vector<uint8_t>& distance = mask.ink;
    distance = GroundDistance8(bgr, ground);
    const std::vector<int64_t> histogram = Histogram(distance);
    // A picture with a transparent ground is a drawing, never a photograph.
    mask.photo = ToneOf(histogram).continuous && !HasTransparency(work);
    if (mask.photo && (cut >= 0 || !Colourful(bgr))) return false;
    if (mask.photo) {
        PhotoObjects(bgr, mask);
        return true;
    }
    if (cut < 0) cut = std::max(kTraceTuning.minInkDistance, OtsuThreshold(histogram));
    mask.threshold = cut;
    mask.inkUsed = InkIsLighter(bgr, distance, cut, ground) ? Ink::Light : Ink::Dark;
    for (uint8_t& level : distance) level = level >= cut;
    mask.inkPixels = std::count(distance.begin(), distance.end(), uint8_t(1));
    ColourEdges(bgr, cut, mask);
    return true;
}

}  // namespace

namespace {

struct InkWord {
    Ink ink;
    const char* word;
};
constexpr InkWord kInkChoices[] = {{Ink::Auto, "auto"}, {Ink::Dark, "dark"}, {Ink::Light, "light"}};

}  // namespace

Ink InkChoice(int index) {
    return index >= 0 && index < int(std::size(kInkChoices)) ? kInkChoices[index].ink : Ink::Auto;
}

Ink InkNamed(QStringView word) {
    for (const InkWord& choice : kInkChoices)
        if (word == QLatin1String(choice.word)) return choice.ink;
    return Ink::Auto;
}

InkMask MakeInkMask(const QImage& picture, const MaskOptions& options, std::stop_token stop) {
    InkMask mask;
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0) return mask;
    const QImage work = WorkingPicture(picture);
    if (stop.stop_requested()) return {};
    mask.width = work.width();
    mask.height = work.height();
    mask.toSource =
        QTransform::fromScale(double(picture.width()) / mask.width, double(picture.height()) / mask.height);

    // Chosen by hand, the threshold is then how far from the ground counts as ink.
    const int colourCut = options.autoThreshold ? -1 : std::clamp(options.threshold, 0, 256);
    if (options.ink == Ink::Auto && ColourMask(work, colourCut, mask)) return mask;
    // The choice is made over white; light ink is then read over black.
    std::vector<uint8_t>& grey = mask.ink;
    std::vector<int64_t> histogram = Greys(work, 255, grey);
    const Tone tone = ToneOf(histogram);
    Ink ink = options.ink;
    if (ink == Ink::Auto) {
        if (tone.contrast < kTraceTuning.minContrast && HasTransparency(work))
            ink = Ink::Opaque;
        else
            ink = BorderIsDark(grey, mask.width, mask.height, tone.threshold) ? Ink::Light : Ink::Dark;
    }
    mask.inkUsed = ink;
    if (ink == Ink::Opaque) {
        // Ink where the picture is at least half opaque.
        for (int y = 0; y < mask.height; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(work.constScanLine(y));
            uint8_t* row = grey.data() + size_t(y) * size_t(mask.width);
            for (int x = 0; x < mask.width; ++x) row[x] = qAlpha(line[x]) >= 128;
        }
        mask.inkPixels = std::count(grey.begin(), grey.end(), uint8_t(1));
        return mask;
    }
    if (ink == Ink::Light && work.hasAlphaChannel()) histogram = Greys(work, 0, grey);

    mask.photo = ToneOf(histogram).continuous;
    int photoThreshold = 0;
    if (mask.photo) {
        // A photograph's outlines need no more than half the pixels.
        if (std::max(mask.width, mask.height) > kTraceTuning.maskSide / 2 + 100) {
            const int w = mask.width / 2, h = mask.height / 2;
            std::vector<uint8_t> half(size_t(w) * size_t(h));
            for (int y = 0; y < h; ++y) {
                const uint8_t* a = grey.data() + size_t(2 * y) * size_t(mask.width);
                const uint8_t* b = a + mask.width;
                uint8_t* o = half.data() + size_t(y) * size_t(w);
                for (int x = 0; x < w; ++x)
                    o[x] = uint8_t((a[2 * x] + a[2 * x + 1] + b[2 * x] + b[2 * x + 1] + 2) / 4);
            }
            mask.toSource = QTransform::fromScale(2, 2) * mask.toSource;
            mask.width = w;
            mask.height = h;
            grey.swap(half);
        }
        if (stop.stop_requested()) return {};
        SmoothKeepingEdges(grey, mask.width, mask.height);
        if (stop.stop_requested()) return {};
        photoThreshold = FlattenGround(grey, mask.width, mask.height, ink == Ink::Light);
        histogram = Histogram(grey);
    }
    const int threshold = !options.autoThreshold ? std::clamp(options.threshold, 0, 256)
                          : mask.photo           ? photoThreshold
                                                 : OtsuThreshold(histogram);
    mask.threshold = threshold;

    const bool light = ink == Ink::Light;
    for (int level = 0; level < 256; ++level)
        if (light ? level >= threshold : level < threshold) mask.inkPixels += histogram[size_t(level)];
    uint8_t* __restrict pixel = grey.data();
    const size_t n = grey.size();
    const uint8_t cut = uint8_t(std::clamp(threshold, 0, 255));
    if (light)
        for (size_t i = 0; i < n; ++i) pixel[i] = pixel[i] >= cut;
    else if (threshold > 255)
        std::fill(pixel, pixel + n, uint8_t(1));
    else
        for (size_t i = 0; i < n; ++i) pixel[i] = pixel[i] < cut;
    if (mask.photo) {
        MajorityFilter(grey, mask.width, mask.height);
        mask.inkPixels = std::count(grey.begin(), grey.end(), uint8_t(1));
    }
    return mask;
}

}  // namespace lp
