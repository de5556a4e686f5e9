// Tracing a 1024 px picture to 256 points: the word "LASER" and 20 separate
// blobs, the whole conversion beside potrace alone on the same bitmap.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

#include "trace/outline.h"
#include "trace/trace.h"

namespace {

QImage LaserPicture() {
    QImage image(1024, 1024, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(300);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("LASER"));
    return image;
}

QImage BlobPicture() {
    QImage image(1024, 1024, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    QRandomGenerator random(21);
    for (int i = 0; i < 20; ++i) {
        const QPointF c(100 + (i % 5) * 205 + random.bounded(40), 130 + (i / 5) * 250 + random.bounded(40));
        painter.drawEllipse(c, 40 + random.bounded(40), 40 + random.bounded(40));
    }
    return image;
}

const QImage& Picture(int which) {
    static const QImage laser = LaserPicture(), blobs = BlobPicture();
    return which == 0 ? laser : blobs;
}

void BM_Trace(benchmark::State& state) {
    const QImage& picture = Picture(int(state.range(0)));
    for (auto _ : state) {
        const lp::TraceResult result = lp::TraceImage(picture, {}, lp::TracePlacement::Fit(200));
        if (!result.ok) state.SkipWithError("trace failed");
        state.counters["contours"] = result.contours;
        state.counters["bridges"] = result.bridgeLength;
        state.counters["deviation"] = result.worstDeviation;
    }
}

void BM_Potrace(benchmark::State& state) {
    const lp::InkMask mask = lp::MakeInkMask(Picture(int(state.range(0))), {});
    for (auto _ : state) benchmark::DoNotOptimize(lp::RunPotraceOnly(mask, 0));
}

void BM_InkMask(benchmark::State& state) {
    const QImage& picture = Picture(int(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(lp::MakeInkMask(picture, {}).ink.data());
}

}  // namespace

// Argument 0: "LASER", 1: 20 blobs.
BENCHMARK(BM_Trace)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Potrace)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InkMask)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
