// Mouse moves on the editing field, delivered as real mouse events to the paint
// box: a drag step that changes the figure (search, move, comparison, second
// half, full redraw) and hover moves that change nothing.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <cmath>

#include "app/baseform.h"
#include "benchmain.h"
#include "edit/editcore.h"
#include "support/basewindow.h"
#include "widgets/paintbox.h"

namespace {

TBaseForm* form = nullptr;

QPoint Px(int fx, int fy) {
    return QPoint(2 * fx, 2 * fy);
}

void Send(QEvent::Type type, QPoint pixel, Qt::MouseButton button, Qt::MouseButtons buttons) {
    lp::PaintBox* box = win::field(*form);
    QMouseEvent event(type, QPointF(pixel), QPointF(box->mapToGlobal(pixel)), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(box, &event);
}

// A circle of 256 points around the centre, radius 100.
void LayCircle() {
    for (int i = 0; i < lp::kPointCount; ++i) {
        const double a = 2 * M_PI * i / lp::kPointCount;
        form->editor().setPoint(i, uint8_t(std::lround(127 + 100 * std::cos(a))),
                                uint8_t(std::lround(127 + 100 * std::sin(a))));
    }
    form->editor().takeLastCopy();
    form->FullReturn(1);
    QCoreApplication::processEvents();
}

void ShowField() {
    form->repaint(win::field(*form)->geometry());
}

// A point near (227, 127) is caught and moved between two positions, so every
// step changes the figure and redraws it.
void DragSteps(benchmark::State& state, bool show) {
    LayCircle();
    Send(QEvent::MouseButtonPress, Px(227, 127), Qt::LeftButton, Qt::LeftButton);
    const QPoint steps[2] = {Px(230, 120), Px(231, 121)};
    int k = 0;
    for (auto _ : state) {
        Send(QEvent::MouseMove, steps[k], Qt::NoButton, Qt::LeftButton);
        if (show) ShowField();
        k ^= 1;
    }
    Send(QEvent::MouseButtonRelease, steps[k], Qt::LeftButton, Qt::NoButton);
    if (form->editor().state().CurrentPoint >= lp::kPointCount) state.SkipWithError("no point was caught");
}

void BM_DragStep(benchmark::State& state) {
    DragSteps(state, false);
}

// The same with the field shown on the window after each step.
void BM_DragStepShown(benchmark::State& state) {
    DragSteps(state, true);
}

// Hover moves between two positions: the search runs and the position labels
// change, the figure does not, so nothing is drawn.
void HoverMoves(benchmark::State& state, QPoint a, QPoint b) {
    LayCircle();
    const QPoint moves[2] = {a, b};
    int k = 0;
    for (auto _ : state) {
        Send(QEvent::MouseMove, moves[k], Qt::NoButton, Qt::NoButton);
        k ^= 1;
    }
    QCoreApplication::processEvents();
}

void BM_HoverEmptyField(benchmark::State& state) {
    HoverMoves(state, Px(127, 127), Px(128, 126));
}

// Over two points of the circle: the point label changes as well.
void BM_HoverOverPoints(benchmark::State& state) {
    HoverMoves(state, Px(227, 128), Px(27, 126));
}

// The cursor shaking within one field unit: the labels keep their texts.
void BM_HoverSameUnit(benchmark::State& state) {
    HoverMoves(state, Px(60, 60), Px(60, 60) + QPoint(1, 1));
}

BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStepShown)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HoverEmptyField)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HoverOverPoints)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HoverSameUnit)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return RunFormBenchmarks(argc, argv, form);
}
