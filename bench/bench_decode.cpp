// The cost of one background picture decode: in the calling process, and
// through the child process (its start-up, limits and the pixels' way back
// included), for a 1000 x 800 drawing and photo in PNG, and an 8 x 8 picture
// that shows the start-up alone.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "picture/decodechild.h"
#include "picture/decodehere.h"
#include "picture/picturefile.h"

namespace {

QTemporaryDir folder;

// A drawing: lines on white, few colours. A photo: smooth shades and grain.
QString Picture(const char* kind) {
    const QString path = folder.filePath(QLatin1String(kind) + QStringLiteral(".png"));
    if (QFile::exists(path)) return path;
    QImage image(1000, 800, QImage::Format_RGB32);
    if (QByteArray(kind) == "tiny") {
        image = image.copy(0, 0, 8, 8);
        image.fill(Qt::red);
    } else if (QByteArray(kind) == "drawing") {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(QPen(Qt::black, 3));
        for (int i = 0; i < 40; ++i) painter.drawEllipse(QPoint(500, 400), 12 * i, 9 * i);
    } else {
        QRandomGenerator random(7);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const int grain = int(random.bounded(24));
                image.setPixel(x, y, qRgb((x / 4 + grain) % 256, (y / 4 + grain) % 256, (x + y) / 8 % 256));
            }
    }
    image.save(path);
    return path;
}

void Here(benchmark::State& state, const char* kind) {
    const QString path = Picture(kind);
    for (auto _ : state) benchmark::DoNotOptimize(lp::LoadPictureHere(path, QSize()));
}

// Processor time of the children ended so far, in milliseconds.
double ChildrenCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// The time shown is the editor's wait; "child_cpu" the child's own processor
// time, which a busy machine does not stretch.
void Child(benchmark::State& state, const char* kind) {
    const QString path = Picture(kind);
    const double before = ChildrenCpuMs();
    for (auto _ : state) {
        const lp::PictureResult result = lp::LoadPicture(path);
        if (!result) state.SkipWithError(qPrintable(result.error));
    }
    state.counters["child_cpu_ms"] = (ChildrenCpuMs() - before) / double(state.iterations());
}

}  // namespace

BENCHMARK_CAPTURE(Here, drawing, "drawing")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Child, drawing, "drawing")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Here, photo, "photo")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Child, photo, "photo")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Here, tiny, "tiny")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Child, tiny, "tiny")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
