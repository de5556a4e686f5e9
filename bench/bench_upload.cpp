// The upload's computing side against its 4.44 s of line time: building the
// four frames and the log for a full figure, and writing the log into the
// window's text box (one insertion per frame, against one per entry).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "link/frames.h"
#include "link/transmission.h"
#include "link/txcomform.h"
#include "ui_txcomform.h"

namespace {

TTxComForm* form = nullptr;
lp::UploadPicture picture;

// A device that takes every byte at once: what is left is the computing.
class NullDevice : public lp::SerialDevice {
  public:
    bool configure(const lp::LineSettings&) override { return true; }
    int64_t write(const uint8_t*, int64_t length, QDeadlineTimer) override { return length; }
    bool drain(QDeadlineTimer) override { return true; }
    void close() override {}
    QString errorString() const override { return QString(); }
};

NullDevice device;
const lp::LineSettings kLine{1200, 8, 0, 1};

void BM_BuildFramesAndLog(benchmark::State& state) {
    lp::TxBuffer tx{};
    for (auto _ : state) {
        QString log;
        lp::LinkReport report;
        lp::SendUpload(device, kLine, picture, tx, report,
                       [&log](const QString& text, bool) { log += text; });
        benchmark::DoNotOptimize(log);
        benchmark::DoNotOptimize(lp::UploadSummary(report.taken));
    }
}

// As the window writes it: one insertion per frame, then what the user sees.
void BM_LogIntoTextBox(benchmark::State& state) {
    lp::TxBuffer tx{};
    QPlainTextEdit* memo = form->ui->Memo1;
    for (auto _ : state) {
        memo->clear();
        lp::LinkReport report;
        lp::SendUpload(device, kLine, picture, tx, report,
                       [](const QString& text, bool newLine) { form->logPiece(text, newLine); });
        form->logEnd(report);
        memo->repaint();
    }
}

void Append(QPlainTextEdit* memo, const QString& text) {
    QTextCursor end(memo->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
}

// For comparison: one insertion and one repaint per point.
void BM_LogIntoTextBoxPerEntry(benchmark::State& state) {
    QPlainTextEdit* memo = form->ui->Memo1;
    for (auto _ : state) {
        memo->clear();
        memo->appendPlainText(lp::LogPointsHeading());
        for (int i = 0; i < 256; ++i) {
            Append(memo, QStringLiteral("%1-%2   ").arg(picture.X[i]).arg(picture.Y[i]));
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
    for (int i = 0; i < lp::kPointCount; ++i) {
        picture.X[i] = uint8_t(i * 7);
        picture.Y[i] = uint8_t(255 - i * 3);
    }
    picture.name = QStringLiteral("Тест1234");
    picture.invertX = picture.invertY = true;
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
