// Import of a 10 000-point ILDA frame resampled to 256 points: from bytes in
// memory, and from a file (scan of the headers, read of the frame, resampling),
// plus the export of a figure for comparison.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <cmath>

#include "figure/ilda.h"
#include "figure/ildafigure.h"

namespace {

// One frame of a 10 000-point spiral-edged circle in 2-D true colour, then the end header.
QByteArray TenThousandPointFile() {
    QByteArray out("ILDA\0\0\0\5spiral  bench   ", 24);
    const int n = 10000;
    auto put16 = [&](int v) {
        out.append(char((v >> 8) & 0xFF));
        out.append(char(v & 0xFF));
    };
    put16(n);
    put16(0);
    put16(1);
    out.append(2, '\0');
    for (int i = 0; i < n; ++i) {
        const double a = 2 * M_PI * i / n, r = 20000 + 6000 * std::sin(7 * a);
        put16(int(std::lround(r * std::cos(a))));
        put16(int(std::lround(r * std::sin(a))));
        out.append(char(i == n - 1 ? 0x80 : (i % 50 == 0 ? 0x40 : 0)));
        out.append("\0\xFF\0", 3);
    }
    out.append("ILDA\0\0\0\5spiral  bench   \0\0\0\1\0\1\0\0", 32);
    return out;
}

void ImportFromBytes(benchmark::State& state) {
    const QByteArray bytes = TenThousandPointFile();
    lp::Coords X, Y;
    for (auto _ : state) {
        lp::IldaBytes source(bytes);
        const lp::IldaScan scan = lp::ScanIlda(source);
        lp::ImportIldaFrame(source, scan.frames[0], X, Y);
        benchmark::DoNotOptimize(X);
    }
}
BENCHMARK(ImportFromBytes)->Unit(benchmark::kMicrosecond);

void ImportFromFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("spiral.ild"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(TenThousandPointFile());
    file.close();
    lp::Coords X, Y;
    for (auto _ : state) {
        lp::IldaFile source;
        source.open(path);
        const lp::IldaScan scan = lp::ScanIlda(source);
        lp::ImportIldaFrame(source, scan.frames[0], X, Y);
        benchmark::DoNotOptimize(X);
    }
}
BENCHMARK(ImportFromFile)->Unit(benchmark::kMicrosecond);

void Export(benchmark::State& state) {
    lp::Coords X, Y;
    for (int i = 0; i < lp::kPointCount; ++i) X[i] = uint8_t(i), Y[i] = uint8_t(255 - i);
    for (auto _ : state) benchmark::DoNotOptimize(lp::ExportIlda(X, Y, QStringLiteral("ramp")));
}
BENCHMARK(Export)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
