// Tracing a picture: any grey levels, size up to what the window and the
// command line hand over, any options and any place on the field.
#include <QGuiApplication>
#include <cmath>

#include "fuzzinput.h"
#include "trace/parts/imageparts.h"
#include "trace/route/routeparts.h"
#include "trace/session/session.h"

// Flags (1: lines, 2: light ink, 4: threshold chosen, 8: in place, 16: with
// alpha), threshold, smallest detail in half units, size; in place, the area
// as four floats; width and height (1 to 1024); then the pixels' grey levels
// (and alpha), repeated over the picture.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const auto flags = in.take<uint8_t>();
    lp::TraceOptions options;
    options.mode = flags & 1    ? lp::TraceOptions::Mode::Lines
                   : flags & 16 ? lp::TraceOptions::Mode::Auto
                                : lp::TraceOptions::Mode::Outline;
    options.mask.ink = flags & 2 ? lp::Ink::Light : flags & 32 ? lp::Ink::Auto : lp::Ink::Dark;
    options.mask.autoThreshold = flags & 4;
    options.mask.threshold = in.take<uint8_t>();
    options.speckUnits = in.take<uint8_t>() / 2.0;
    lp::TracePlacement placement = lp::TracePlacement::Fit(in.take<uint8_t>());
    if (flags & 8) {
        const auto x = in.take<float>(), y = in.take<float>(), w = in.take<float>(), h = in.take<float>();
        placement = lp::TracePlacement::InPlace(QRectF(x, y, w, h));
    }
    const int width = 1 + in.take<uint16_t>() % 1024, height = 1 + in.take<uint16_t>() % 1024;
    const bool alpha = flags & 16;
    QImage picture(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    picture.fill(Qt::white);
    const size_t step = alpha ? 2 : 1, n = in.left() / step;
    for (size_t i = 0; n > 0 && i < size_t(width) * size_t(height); ++i) {
        const uint8_t* pixel = in.rest() + (i % n) * step;
        const int grey = pixel[0];
        picture.setPixel(int(i % size_t(width)), int(i / size_t(width)),
                         qRgba(grey, grey, grey, alpha ? pixel[1] : 255));
    }
    const lp::TraceResult result = lp::TraceImage(picture, options, placement);
    FUZZ_CHECK(result.ok != !result.error.isEmpty());
    FUZZ_CHECK(!result.ok || (result.contours > 0 && std::isfinite(result.routeLength)));
    return 0;
}
