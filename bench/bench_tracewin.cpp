// The trace window over a 1024 px picture, from the user's action to the
// result shown in the window's preview and on the field: a click on a part in
// the preview (the parts kept, only routed again), a change of an option
// (the parts found again), and the threshold dragged over a photograph (each
// step overtakes the trace before it).
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QRandomGenerator>

#include "app/baseform.h"
#include "benchmain.h"
#include "drawing.h"
#include "support/basewindow.h"
#include "tracewin/traceform.h"
#include "ui_traceform.h"
#include "widgets/imagebox.h"

namespace {

TBaseForm* form = nullptr;

// 60 dots of many sizes and a bar: more than 256 points hold.
QImage DotPicture() {
    return InkDrawing([](QPainter& painter) {
        QRandomGenerator random(5);
        for (int i = 0; i < 60; ++i)
            painter.drawEllipse(QPointF(40 + random.bounded(940), 40 + random.bounded(940)),
                                6 + random.bounded(54), 6 + random.bounded(54));
        painter.drawRect(300, 420, 420, 180);
    });
}

TTraceForm* Trace() {
    TTraceForm* trace = form->traceForm();
    while (trace->busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return trace;
}

// A point of the largest part's outline in the preview's pixels.
QPointF LargestPart(TTraceForm* trace) {
    const QPointF at =
        trace->result().partsToField.map(trace->parts()->parts.front().loops.front().front().p);
    return (at + QPointF(0.5, 0.5)) * trace->ui->BeamView->width() / 256.0;
}

void Shown(TTraceForm* trace, benchmark::State& state) {
    Trace();
    trace->ui->BeamView->repaint();
    state.counters["parts"] = trace->result().partsDrawn;
    state.counters["found"] = trace->result().partsFound;
}

void BM_PartClick(benchmark::State& state) {
    TTraceForm* trace = Trace();
    const QPointF at = LargestPart(trace);
    for (auto _ : state) {
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, trace->ui->BeamView->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(trace->ui->BeamView, &event);
        }
        if (!trace->busy()) state.SkipWithError("no part under the click");
        Shown(trace, state);
    }
}

void BM_OptionChange(benchmark::State& state) {
    TTraceForm* trace = Trace();
    for (auto _ : state) {
        trace->ui->SliderSpeck->setValue(trace->ui->SliderSpeck->value() == 3 ? 4 : 3);
        Shown(trace, state);
    }
}

// Eight steps 8 ms apart, as a hand moves the slider; the time from the last
// one to its result on show.
void BM_ThresholdDrag(benchmark::State& state) {
    TTraceForm* trace = Trace();
    trace->setPicture({PhotoPicture(), QRectF(3, 3, 250, 250)});
    trace->ui->CheckBoxAutoThreshold->setChecked(false);
    Trace();
    int value = 100;
    for (auto _ : state) {
        QElapsedTimer timer;
        for (int step = 0; step < 8; ++step) {
            if (step > 0)
                for (timer.start(); timer.elapsed() < 8;) QCoreApplication::processEvents();
            value = value >= 140 ? 100 : value + 4;
            trace->ui->SliderThreshold->setValue(value);
        }
        timer.start();
        Shown(trace, state);
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
}

}  // namespace

BENCHMARK(BM_PartClick)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptionChange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThresholdDrag)->Unit(benchmark::kMillisecond)->UseManualTime();

int main(int argc, char** argv) {
    return RunFormBenchmarks(argc, argv, form, [](TBaseForm& window) {
        win::pictureBox(window)->setPicture(DotPicture());
        win::pictureBox(window)->show();
        win::traceButton(window)->click();
    });
}
