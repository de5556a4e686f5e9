// Tracing a 1024 px picture to 256 points with the defaults: the word
// "LASER", 20 separate blobs, a photograph of discs on a noisy, unevenly lit
// ground, a drawing of 20 strokes (line art), 400 dots of many sizes (more
// parts than 256 points hold) and the photograph's discs in red on grey-green, the whole conversion beside
// potrace alone on the same bitmap; the second stage alone; the line mode forced; and real pictures from
// Debian's packages where they are installed.
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <iterator>
#include <opencv2/imgproc.hpp>

#include "drawing.h"
#include "picture/picturefile.h"
#include "trace/lines/lineroute.h"
#include "trace/outline/outline.h"
#include "trace/parts/imageparts.h"
#include "trace/parts/maskparts.h"
#include "trace/route/routeparts.h"
#include "trace/session/session.h"

namespace {

QImage LaserPicture() {
    return InkDrawing([](QPainter& painter) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(300);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, 0, 1024, 1024), Qt::AlignCenter, QStringLiteral("LASER"));
    });
}

QImage BlobPicture() {
    return InkDrawing([](QPainter& painter) {
        QRandomGenerator random(21);
        for (int i = 0; i < 20; ++i) {
            const QPointF c(100 + (i % 5) * 205 + random.bounded(40),
                            130 + (i / 5) * 250 + random.bounded(40));
            painter.drawEllipse(c, 40 + random.bounded(40), 40 + random.bounded(40));
        }
    });
}

// 20 strokes 15 px wide (3 units once fitted to 200): lines, arcs and bent lines.
QImage StrokePicture() {
    return InkDrawing([](QPainter& painter) {
        painter.setBrush(Qt::NoBrush);
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
    });
}

// 16 red discs on a grey-green ground of the same lightness, lit from the
// left, with grain: a colour photograph, segmented.
QImage ColourPhotoPicture() {
    QImage image = PhotoPicture();
    QRandomGenerator random(29);
    for (int y = 0; y < image.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const bool inside = qGray(line[x]) < 80;
            const double light = 0.6 + 0.6 * x / 1024;
            const QColor c = inside ? QColor(220, 40, 40) : QColor(104, 119, 99);
            const int grain = int(random.bounded(40)) - 20;
            auto channel = [&](int v) { return std::clamp(int(v * light) + grain, 0, 255); };
            line[x] = qRgb(channel(c.red()), channel(c.green()), channel(c.blue()));
        }
    }
    return image;
}

// 400 dots from 3 to 40 px across.
QImage DotPicture() {
    return InkDrawing([](QPainter& painter) {
        QRandomGenerator random(27);
        for (int i = 0; i < 400; ++i)
            painter.drawEllipse(QPointF(25 + (i % 20) * 49, 25 + (i / 20) * 49), 1.5 + random.bounded(19.0),
                                1.5 + random.bounded(19.0));
    });
}

const QImage& Picture(int which) {
    static const QImage pictures[] = {LaserPicture(), BlobPicture(), StrokePicture(),
                                      PhotoPicture(), DotPicture(),  ColourPhotoPicture()};
    return pictures[which];
}

// Real pictures of each kind, from Debian's packages; skipped where missing.
// LASERPIC_SAMPLES names another root to look under (a folder the packages
// were unpacked into).
const char* const kRealPictures[] = {
    "/usr/lib/python3/dist-packages/skimage/data/coins.png",         // photograph of separate objects
    "/usr/lib/python3/dist-packages/skimage/data/coffee.png",        // colour photograph of one object
    "/usr/lib/python3/dist-packages/skimage/data/horse.png",         // silhouette
    "/usr/share/desktop-base/debian-logos/logo-256.png",             // logo
    "/usr/share/icons/Adwaita/scalable/places/folder-symbolic.svg",  // symbolic icon
    "/usr/share/openclipart/svg/geography/world_map_01.svg",         // map
    "/usr/share/openclipart/svg/recreation/holiday/dog_01_drawn_with_strai_02.svg",  // line art
};

void BM_Trace(benchmark::State& state) {
    const QImage& picture = Picture(int(state.range(0)));
    for (auto _ : state) {
        const lp::TraceResult result = lp::TraceImage(picture, {}, lp::TracePlacement::Fit(200));
        if (!result.ok) state.SkipWithError("trace failed");
        state.counters["contours"] = result.contours;
        state.counters["parts"] = result.partsDrawn;
        state.counters["found"] = result.partsFound;
        state.counters["step"] = result.meanStep;
        state.counters["deviation"] = result.worstDeviation;
    }
}

// The second stage alone, as a click on a part in the trace window reruns it.
void BM_RouteParts(benchmark::State& state) {
    const lp::TraceParts found =
        lp::FindImageParts(Picture(int(state.range(0))), {}, lp::TracePlacement::Fit(200));
    lp::PartChoice choice;
    choice.leftOut.insert(0);
    for (auto _ : state) {
        const lp::TraceResult result = lp::RouteParts(found, choice);
        if (!result.ok) state.SkipWithError("trace failed");
        state.counters["parts"] = result.partsDrawn;
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

// The mask's pieces with their holes, outlines and depths as the tracer
// finds them, beside OpenCV's labelling of the ink (8-connected) and of the
// ground (4-connected) with their areas and bounds alone.
void BM_MaskPieces(benchmark::State& state) {
    const lp::InkMask mask = lp::MakeInkMask(Picture(int(state.range(0))), {});
    for (auto _ : state) {
        lp::MaskPieces pieces(mask);
        pieces.markThin([](const lp::MaskPiece&) { return 10.0; }, 0.1);
        benchmark::DoNotOptimize(pieces.pieces.data());
    }
}

void BM_ConnectedComponents(benchmark::State& state) {
    const lp::InkMask mask = lp::MakeInkMask(Picture(int(state.range(0))), {});
    const cv::Mat ink(mask.height, mask.width, CV_8U, const_cast<uint8_t*>(mask.ink.data()));
    cv::Mat ground = ink == 0, labels, stats, centres, depth;
    for (auto _ : state) {
        cv::connectedComponentsWithStats(ink, labels, stats, centres, 8, CV_32S);
        cv::connectedComponentsWithStats(ground, labels, stats, centres, 4, CV_32S);
        cv::distanceTransform(ink, depth, cv::DIST_L2, cv::DIST_MASK_PRECISE);
        benchmark::DoNotOptimize(depth.data);
    }
}

}  // namespace

void BM_TraceReal(benchmark::State& state) {
    QString path = QString::fromLocal8Bit(qgetenv("LASERPIC_SAMPLES")) + kRealPictures[state.range(0)];
    if (!QFileInfo::exists(path)) path = QString::fromLocal8Bit(kRealPictures[state.range(0)]);
    const lp::PictureResult read = lp::LoadPicturePreview(path, QSize(1024, 1024));
    if (!read) {
        state.SkipWithError(("missing: " + path.toStdString()).c_str());
        return;
    }
    for (auto _ : state) {
        const lp::TraceResult result = lp::TraceImage(read.image, {}, lp::TracePlacement::Fit(200));
        if (!result.ok) state.SkipWithError("trace failed");
        state.counters["parts"] = result.partsDrawn;
        state.counters["found"] = result.partsFound;
        state.counters["step"] = result.meanStep;
    }
}

// Argument 0: "LASER", 1: 20 blobs, 2: line art, 3: photograph, 4: 400 dots.
BENCHMARK(BM_Trace)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RouteParts)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TraceReal)->DenseRange(0, std::size(kRealPictures) - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Potrace)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InkMask)->Arg(0)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MaskPieces)->Arg(0)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConnectedComponents)->Arg(0)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);
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
