// Re-spacing of points: the computation alone on the worst figure, and the
// whole button command with its undo copy and redraw.
#include <benchmark/benchmark.h>

#include <QScrollBar>

#include "app/baseform.h"
#include "benchmain.h"
#include "edit/pointlist.h"
#include "support/basewindow.h"

namespace {

TBaseForm* form = nullptr;

// 0 and 255 alternating on both axes: every pair needs pulling.
void Worst(lp::Coords& x, lp::Coords& y) {
    for (int i = 0; i < lp::kPointCount; ++i) x[i] = y[i] = (i % 2) ? 255 : 0;
}

void BM_NormalPointsWorst(benchmark::State& state) {
    lp::Coords x0, y0;
    Worst(x0, y0);
    const int d = int(state.range(0));
    for (auto _ : state) {
        lp::Coords x = x0, y = y0;
        lp::NormalPoints(x, y, d);
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
    }
}

// The command as the button runs it: undo copy, re-spacing, full redraw.
void BM_NormalPointsCommand(benchmark::State& state) {
    win::interBar(*form)->setValue(1);
    lp::Coords x0, y0;
    Worst(x0, y0);
    for (auto _ : state) {
        form->editor().setFigure(x0, y0);
        form->SpeedButtonNormalPointsClick();
    }
}

BENCHMARK(BM_NormalPointsWorst)->Arg(1)->Arg(12)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NormalPointsCommand)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return RunFormBenchmarks(argc, argv, form);
}
