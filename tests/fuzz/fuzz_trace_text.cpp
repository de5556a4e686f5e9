// Tracing a line of text: any characters, any size, bold or not.
#include <QGuiApplication>
#include <cmath>
#include <memory>

#include "fuzzinput.h"
#include "trace/parts/imageparts.h"
#include "trace/route/routeparts.h"
#include "trace/session/session.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static std::unique_ptr<QGuiApplication> application(new QGuiApplication(*argc, *argv));
    return 0;
}

// Flags (1: bold), the size as 32 bits, then the text in UTF-8.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const bool bold = in.take<uint8_t>() & 1;
    const auto textSize = in.take<int32_t>();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(in.rest()), qsizetype(in.left()));
    const lp::TraceResult result = lp::TraceText(text, QStringLiteral("DejaVu Sans"), bold, textSize);
    FUZZ_CHECK(result.ok != !result.error.isEmpty());
    FUZZ_CHECK(!result.ok || std::isfinite(result.routeLength));
    return 0;
}
