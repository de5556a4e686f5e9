#include "widgets/waitwork.h"

#include <QApplication>
#include <QEvent>
#include <QFutureWatcher>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>

namespace {

enum Outcome { Quit = 0, Finished, OutOfPatience, Cancelled, DeadlinePassed };

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

WaitOutcome WaitForWork(QWidget* parent, const QString& text, lp::Work work, int patienceMs,
                        QDeadlineTimer deadline) {
    // Without a thread the load runs here: it is bounded, and a wait beats doing without.
    const lp::Job job = lp::StartWork(std::move(work), lp::NoThread::RunHere);
    if (job.finished()) return WaitOutcome::Done;

    QEventLoop loop;
    QFutureWatcher<void> watcher;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, [&loop] { loop.exit(Finished); });
    watcher.setFuture(job.future());
    QTimer deadlineTimer;
    deadlineTimer.setSingleShot(true);
    QObject::connect(&deadlineTimer, &QTimer::timeout, &loop, [&loop] { loop.exit(DeadlinePassed); });
    if (!deadline.isForever()) deadlineTimer.start(std::max<qint64>(0, deadline.remainingTime()));
    CloseHolder holder(parent ? parent->window() : nullptr);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct CursorBack {
        ~CursorBack() { QApplication::restoreOverrideCursor(); }
    } cursorBack;

    QTimer::singleShot(patienceMs, &loop, [&loop] { loop.exit(OutOfPatience); });
    int outcome = loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (outcome == OutOfPatience && !job.finished()) {
        QProgressDialog box(text, QStringLiteral("Отмена"), 0, 0, parent);
        box.setObjectName(QStringLiteral("WaitBox"));
        box.setWindowTitle(QStringLiteral("Подождите"));
        box.setWindowModality(Qt::ApplicationModal);
        box.setMinimumDuration(0);
        box.setAutoClose(false);
        box.setAutoReset(false);
        QObject::connect(&box, &QProgressDialog::canceled, &loop, [&loop] { loop.exit(Cancelled); });
        QObject::connect(&box, &QDialog::rejected, &loop, [&loop] { loop.exit(Cancelled); });  // Escape
        box.show();
        outcome = loop.exec();
    } else if (outcome == OutOfPatience) {
        outcome = Finished;
    }
    if (outcome == Finished) return WaitOutcome::Done;
    job.cancel();
    return outcome == DeadlinePassed ? WaitOutcome::TimedOut : WaitOutcome::Stopped;
}
