// FullReturn(1) for the heaviest figure against the floor: clearing the same
// images and showing them once.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QScrollBar>
#include <algorithm>
#include <random>
#include <vector>

#include "app/baseform.h"
#include "benchmain.h"
#include "picture/picturefile.h"
#include "support/basewindow.h"

namespace {

TBaseForm* form = nullptr;

void ShowField() {
    form->repaint(win::field(*form)->geometry());
    win::preview(*form)->repaint();
}

void BM_FullReturn(benchmark::State& state) {
    for (auto _ : state) {
        form->FullReturn(1);
        ShowField();
    }
}

void BM_FullReturnOnly(benchmark::State& state) {
    for (auto _ : state) form->FullReturn(1);
    ShowField();
}

void BM_ShowOnly(benchmark::State& state) {
    for (auto _ : state) ShowField();
}

void BM_ClearAndShowFloor(benchmark::State& state) {
    for (auto _ : state) {
        form->fieldUnder.fill(Qt::transparent);
        win::field(*form)->image().fill(Qt::transparent);
        win::preview(*form)->image().fill(Qt::transparent);
        ShowField();
    }
}

void BM_DrawOnly(benchmark::State& state) {
    const lp::RenderTargets targets{&form->fieldUnder, &win::field(*form)->image(),
                                    &win::preview(*form)->image()};
    for (auto _ : state)
        lp::RenderFigure(form->editor().data(), form->renderOptions(), form->jitter, targets, true);
}

// The same with the largest background picture kept, stretched to 500 x 500
// under the field.
void BM_FullReturnOverPicture(benchmark::State& state) {
    QImage picture(lp::kPictureKeptSide, lp::kPictureKeptSide, QImage::Format_RGB32);
    picture.fill(QColor(0, 128, 128));
    win::pictureBox(*form)->setPicture(picture);
    win::razmXBar(*form)->setValue(500);
    win::pictureBox(*form)->show();
    for (auto _ : state) {
        form->FullReturn(1);
        ShowField();
    }
    win::pictureBox(*form)->hide();
}

BENCHMARK(BM_DrawOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullReturn)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullReturnOverPicture)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullReturnOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShowOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ClearAndShowFloor)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return RunFormBenchmarks(argc, argv, form, [](TBaseForm& window) {
        // The heaviest drawing: 256 distinct points, grid, both hot-point boxes, area mode.
        std::mt19937 random(7);
        std::vector<int> cells(65536);
        for (int i = 0; i < 65536; ++i) cells[i] = i;
        std::shuffle(cells.begin(), cells.end(), random);
        for (int i = 0; i < 256; ++i) {
            window.editor().setPoint(i, cells[i] & 0xFF, cells[i] >> 8);
        }
        win::webButton(window)->SetDown(true);
        win::hotPointCheck(window)->setChecked(true);
        win::hotColCheck(window)->setChecked(true);
        window.editor().state().AreaMode = true;
        window.editor().state().AreaX1 = 20;
        window.editor().state().AreaY1 = 30;
        window.editor().state().AreaX2 = 220;
        window.editor().state().AreaY2 = 200;
    });
}
