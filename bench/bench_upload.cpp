// The upload's computing side against its 4.44 s of line time: building the
// four frames and the log for a full figure, and writing the log into the
// window's text box (one insertion per frame, against one per entry).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "link/frames.h"
#include "link/txcomform.h"
#include "ui_txcomform.h"

namespace {

TTxComForm* form = nullptr;
lp::Coords X, Y;

struct Log {
    QString header, first, second;
};

Log BuildAll(lp::TxBuffer& tx) {
    Log log;
    benchmark::DoNotOptimize(lp::BuildHeaderFrame(tx, QStringLiteral("Тест1234"), &log.header));
    benchmark::DoNotOptimize(lp::BuildHalfFrame(tx, 0, X, Y, true, true, &log.first));
    benchmark::DoNotOptimize(lp::BuildHalfFrame(tx, 1, X, Y, true, true, &log.second));
    benchmark::DoNotOptimize(lp::BuildEndFrame(tx));
    return log;
}

void Append(QPlainTextEdit* memo, const QString& text) {
    QTextCursor end(memo->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
}

void BM_BuildFramesAndLog(benchmark::State& state) {
    lp::TxBuffer tx{};
    for (auto _ : state) {
        Log log = BuildAll(tx);
        benchmark::DoNotOptimize(log);
        benchmark::DoNotOptimize(lp::UploadSummary(533));
    }
}

// As the window writes it: one insertion per frame, then what the user sees.
void BM_LogIntoTextBox(benchmark::State& state) {
    lp::TxBuffer tx{};
    const Log log = BuildAll(tx);
    QPlainTextEdit* memo = form->ui->Memo1;
    for (auto _ : state) {
        memo->clear();
        Append(memo, log.header);
        memo->appendPlainText(QStringLiteral(" "));
        memo->appendPlainText(lp::kLogPointsHeading);
        Append(memo, log.first);
        Append(memo, log.second);
        memo->appendPlainText(QStringLiteral(" "));
        memo->appendPlainText(QStringLiteral(" "));
        Append(memo, lp::UploadSummary(533));
        memo->repaint();
    }
}

// For comparison: one insertion and one repaint per point.
void BM_LogIntoTextBoxPerEntry(benchmark::State& state) {
    QPlainTextEdit* memo = form->ui->Memo1;
    for (auto _ : state) {
        memo->clear();
        memo->appendPlainText(lp::kLogPointsHeading);
        for (int i = 0; i < 256; ++i) {
            Append(memo, QStringLiteral("%1-%2   ").arg(X[i]).arg(Y[i]));
            memo->repaint();
        }
    }
}

BENCHMARK(BM_BuildFramesAndLog)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LogIntoTextBox)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LogIntoTextBoxPerEntry)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (int i = 0; i < lp::PointCount; ++i) {
        X[i] = uint8_t(i * 7);
        Y[i] = uint8_t(255 - i * 3);
    }
    TTxComForm window;
    form = &window;
    window.show();
    window.SpeedButtonTablClick();  // the log open, as the user reads it
    QCoreApplication::processEvents();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
