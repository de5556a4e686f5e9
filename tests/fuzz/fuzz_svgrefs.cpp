// The check of what an SVG document refers to, on any bytes.
#include "fuzzinput.h"
#include "picture/svgrefs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const lp::SvgCheck check =
        lp::CheckSvgReferences(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    FUZZ_CHECK(check.verdict == lp::SvgCheck::Inside || check.verdict == lp::SvgCheck::NotSvg ||
               !check.detail.isEmpty() || check.verdict == lp::SvgCheck::Broken);
    return 0;
}
