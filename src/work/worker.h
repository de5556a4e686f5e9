// The one way to run work off the interface thread: reading and decoding
// pictures, the open dialog's preview, waiting for a serial line to drain;
// and the one wait of the interface thread, its event loop going on.
//
// Each piece of work runs on a thread of its own, started here and joined
// here, never detached. A thread the system refuses is dealt with here, as the
// caller chose: the work is left undone or runs in place. Every piece of work
// gets a stop token, signalled when the caller cancels it, when the caller's
// deadline passes or when the program quits. Work that can take long polls
// token.stop_requested() or registers a std::stop_callback, which runs on the
// thread that asks for the stop (for example to kill a child process or to
// flush a line that does not drain). Quitting asks all work to stop and waits
// for it, a few seconds at most.
#pragma once

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFuture>
#include <functional>
#include <memory>
#include <stop_token>

namespace lp {

using Work = std::function<void(std::stop_token)>;

// What StartWork does when the system gives no thread.
enum class NoThread {
    Refuse,   // the work is not run
    RunHere,  // the work runs on the caller's thread before StartWork returns
};

struct JobState;

// A handle on one piece of work; copies share it. The work must own what it
// touches: the handle may go while the work still runs.
class Job {
  public:
    Job() = default;  // no work at all

    // False when the work was refused for want of a thread (it has not run).
    bool started() const;
    // The work has returned, or will never run.
    bool finished() const;
    // Signals the stop token; does not wait.
    void cancel() const;
    bool stopRequested() const;
    // Blocks this thread, without events, until the work returns or the
    // deadline passes; true when it returned.
    bool wait(QDeadlineTimer deadline) const;
    // Finishes when the work returns, for a QFutureWatcher.
    QFuture<void> future() const;

  private:
    friend Job StartWork(Work work, NoThread fallback);
    std::shared_ptr<JobState> state_;
};

// Starts `work` on a thread of its own.
Job StartWork(Work work, NoThread fallback = NoThread::Refuse);

// The one wait of the interface thread: runs this thread's event loop (with
// `flags`) until `done()` holds or the deadline passes; returns done(). No
// polling: `done` is looked at whenever the loop has handled the events
// pending, so a signal that changes it (a port's bytesWritten, a button's
// clicked) ends the wait at once. Returns early when the application is
// quitting, and at once on a thread without an event loop.
bool WaitUntil(const std::function<bool()>& done, QDeadlineTimer deadline,
               QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);

// WaitUntil the job finishes or `giveUp()` holds; true when the job finished.
// On a thread without an event loop it blocks on the job instead.
bool WaitForJob(const Job& job, QDeadlineTimer deadline,
                QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents,
                const std::function<bool()>& giveUp = {});

enum class Bounded {
    Finished,    // returned before the deadline
    Stopped,     // the deadline passed; asked to stop, it returned within the grace
    GivenUp,     // still running after the grace: left to end on its own
    NotStarted,  // no thread could be had; the work has not run
};

// Runs `work` off this thread while the event loop goes on, until it returns
// or the deadline passes; then asks it to stop and waits `graceMs` more.
Bounded RunBounded(Work work, QDeadlineTimer deadline, int graceMs,
                   QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);

// Pieces of work still running.
int RunningWork();

// Asks all running work to stop and waits for it until the deadline; true
// when none runs any more. Runs by itself as the application object goes.
bool StopAllWork(QDeadlineTimer deadline);

}  // namespace lp
