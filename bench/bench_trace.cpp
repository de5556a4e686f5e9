// Tracing a 1024 px picture to 256 points: the word "LASER" and 20 separate
// blobs, the whole conversion beside potrace alone on the same bitmap; and a
// drawing of 20 strokes in line mode.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

#include "trace/lineroute.h"
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

// 20 strokes 15 px wide (3 units once fitted to 200): lines, arcs and bent lines.
QImage StrokePicture() {
    QImage image(1024, 1024, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 15, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QRandomGenerator random(23);
    for (int i = 0; i < 20; ++i) {
        const QPointF o(60 + (i % 5) * 190, 60 + (i / 5) * 240);
        auto at = [&](int x, int y) { return o + QPointF(random.bounded(x), random.bounded(y)); };
        QPainterPath path(at(40, 40));
        if (i % 3 == 0)
            path.lineTo(at(160, 200));
        else if (i % 3 == 1)
            path.quadTo(at(160, 40), at(160, 200));
        else
            path.lineTo(at(160, 80)), path.lineTo(at(80, 200));
        painter.drawPath(path);
    }
    return image;
}

const QImage& Picture(int which) {
    static const QImage laser = LaserPicture(), blobs = BlobPicture(), strokes = StrokePicture();
    return which == 0 ? laser : which == 1 ? blobs : strokes;
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

// The line mode over the stroke drawing: the whole conversion, and the centre lines alone.
void BM_TraceLines(benchmark::State& state) {
    lp::TraceOptions options;
    options.mode = lp::TraceOptions::Mode::Lines;
    for (auto _ : state) {
        const lp::TraceResult result = lp::TraceImage(Picture(2), options, lp::TracePlacement::Fit(200));
        if (!result.ok) state.SkipWithError("trace failed");
        state.counters["drawings"] = result.contours;
        state.counters["deviation"] = result.worstDeviation;
    }
}

void BM_CentreLines(benchmark::State& state) {
    const lp::InkMask mask = lp::MakeInkMask(Picture(2), {});
    for (auto _ : state) benchmark::DoNotOptimize(lp::LineLoops(mask).data());
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
BENCHMARK(BM_TraceLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CentreLines)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
