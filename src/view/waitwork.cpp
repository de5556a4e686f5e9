#include "view/waitwork.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <memory>
#include <system_error>
#include <thread>

namespace {

std::atomic<int> runningWorkers{0};

enum Outcome { Quit = 0, Finished, OutOfPatience, Stopped };

// Keeps a window open while the work it waits for runs.
class CloseHolder : public QObject {
  public:
    explicit CloseHolder(QWidget* window) : window_(window) {
        if (window_) window_->installEventFilter(this);
    }
    ~CloseHolder() override {
        if (window_) window_->removeEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Close) return false;
        event->ignore();
        return true;
    }

  private:
    QPointer<QWidget> window_;
};

}  // namespace

bool WaitForWork(QWidget* parent, const QString& text, std::function<void()> work, int patienceMs) {
    // Only this flag is shared with the worker; it outlives whichever side ends last.
    auto finished = std::make_shared<std::atomic<bool>>(false);
    try {
        std::thread([work, finished] {
            const WorkerCount counted;
            work();
            finished->store(true, std::memory_order_release);
        }).detach();
    } catch (const std::system_error&) {
        // No thread to be had: the work runs here; it is bounded and a wait beats a crash.
        work();
        return true;
    }

    QEventLoop loop;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (finished->load(std::memory_order_acquire)) loop.exit(Finished);
    });
    CloseHolder holder(parent ? parent->window() : nullptr);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct CursorBack {
        ~CursorBack() { QApplication::restoreOverrideCursor(); }
    } cursorBack;

    poll.start();
    QTimer::singleShot(patienceMs, &loop, [&] { loop.exit(OutOfPatience); });
    int outcome = loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (outcome == OutOfPatience && !finished->load(std::memory_order_acquire)) {
        QProgressDialog box(text, QStringLiteral("Отмена"), 0, 0, parent);
        box.setObjectName(QStringLiteral("WaitBox"));
        box.setWindowTitle(QStringLiteral("Подождите"));
        box.setWindowModality(Qt::ApplicationModal);
        box.setMinimumDuration(0);
        box.setAutoClose(false);
        box.setAutoReset(false);
        QObject::connect(&box, &QProgressDialog::canceled, &loop, [&] { loop.exit(Stopped); });
        QObject::connect(&box, &QDialog::rejected, &loop, [&] { loop.exit(Stopped); });  // Escape
        box.show();
        outcome = loop.exec();
    } else if (outcome == OutOfPatience) {
        outcome = Finished;
    }
    return outcome == Finished;
}

int RunningWorkers() {
    return runningWorkers.load();
}

WorkerCount::WorkerCount() {
    ++runningWorkers;
}

WorkerCount::~WorkerCount() {
    --runningWorkers;
}
