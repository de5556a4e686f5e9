#include "widgets/waitwork.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QProgressDialog>
#include <QWidget>
#include <algorithm>

namespace {

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

namespace lp {

WaitOutcome WaitForWork(QWidget* parent, const QString& text, Work work, int patienceMs,
                        QDeadlineTimer deadline) {
    // Without a thread the load runs here: it is bounded, and a wait beats doing without.
    const Job job = StartWork(std::move(work), NoThread::RunHere);
    if (job.finished()) return WaitOutcome::Done;

    CloseHolder holder(parent ? parent->window() : nullptr);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct CursorBack {
        ~CursorBack() { QApplication::restoreOverrideCursor(); }
    } cursorBack;

    const QDeadlineTimer patience(patienceMs, Qt::PreciseTimer);
    bool cancelled = false;
    if (!WaitForJob(job, std::min(patience, deadline), QEventLoop::ExcludeUserInputEvents) &&
        patience.hasExpired() && !deadline.hasExpired()) {
        QProgressDialog box(text, QCoreApplication::translate("Wait", "Отмена"), 0, 0, parent);
        box.setObjectName(QStringLiteral("WaitBox"));
        box.setWindowTitle(QCoreApplication::translate("Wait", "Подождите"));
        box.setWindowModality(Qt::ApplicationModal);
        box.setMinimumDuration(0);
        box.setAutoClose(false);
        box.setAutoReset(false);
        QObject::connect(&box, &QProgressDialog::canceled, [&cancelled] { cancelled = true; });
        QObject::connect(&box, &QDialog::rejected, [&cancelled] { cancelled = true; });  // Escape
        box.show();
        WaitForJob(job, deadline, QEventLoop::AllEvents, [&cancelled] { return cancelled; });
    }
    if (job.finished()) return WaitOutcome::Done;
    job.cancel();
    return !cancelled && deadline.hasExpired() ? WaitOutcome::TimedOut : WaitOutcome::Stopped;
}

}  // namespace lp
