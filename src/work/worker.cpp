#include "work/worker.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QFutureWatcher>
#include <QPromise>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <vector>

namespace lp {

struct JobState {
    std::stop_source stop;
    QPromise<void> promise;
    QFuture<void> future = promise.future();
    std::unique_ptr<QThread> thread;  // none when the work ran in place or not at all
    bool started = false;

    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;

    void finish() {
        {
            std::lock_guard lock(mutex);
            done = true;
        }
        ended.notify_all();
        promise.finish();
    }
};

namespace {

// Work still running as the application object goes is waited for this long.
constexpr int kQuitWaitMs = 5000;

// The waiting loop's exit code when it ends by itself; any other: the
// application is quitting.
constexpr int kLoopDone = 0x6c70;

struct Registry {
    std::mutex mutex;
    std::vector<std::shared_ptr<JobState>> jobs;  // each until its thread has ended

    void reapLocked() {
        std::erase_if(jobs, [](const std::shared_ptr<JobState>& s) { return s->thread->isFinished(); });
    }
};

// Never destroyed: a thread still running at exit keeps its state.
Registry& registry() {
    static auto* r = new Registry;
    return *r;
}

bool WaitOn(JobState& s, QDeadlineTimer deadline) {
    std::unique_lock lock(s.mutex);
    const auto done = [&s] { return s.done; };
    if (deadline.isForever()) {
        s.ended.wait(lock, done);
        return true;
    }
    return s.ended.wait_until(lock, deadline.deadline<std::chrono::steady_clock>(), done);
}

void StopAtQuit() {
    StopAllWork(QDeadlineTimer(kQuitWaitMs));
}

void AddQuitWait() {
    qAddPostRoutine(StopAtQuit);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(AddQuitWait)

bool Job::started() const {
    return state_ && state_->started;
}

bool Job::finished() const {
    if (!state_) return true;
    std::lock_guard lock(state_->mutex);
    return state_->done;
}

void Job::cancel() const {
    if (state_) state_->stop.request_stop();
}

bool Job::stopRequested() const {
    return state_ && state_->stop.stop_requested();
}

bool Job::wait(QDeadlineTimer deadline) const {
    return !state_ || WaitOn(*state_, deadline);
}

QFuture<void> Job::future() const {
    return state_ ? state_->future : QFuture<void>();
}

Job StartWork(Work work, NoThread fallback) {
    Job job;
    job.state_ = std::make_shared<JobState>();
    JobState* s = job.state_.get();
    s->promise.start();
    s->started = true;
    // The thread's function owns the work; the registry keeps the state until
    // the thread has ended.
    s->thread.reset(QThread::create([s, work]() mutable {
        work(s->stop.get_token());
        work = nullptr;  // what it captured goes before anyone learns it has ended
        s->finish();
    }));
    s->thread->setObjectName(QStringLiteral("lp worker"));
    s->thread->start();
    if (s->thread->isRunning() || s->thread->isFinished()) {
        Registry& r = registry();
        std::lock_guard lock(r.mutex);
        r.reapLocked();
        r.jobs.push_back(job.state_);
        return job;
    }
    // The system gave no thread (Qt has said why on its log).
    s->thread.reset();
    if (fallback == NoThread::RunHere)
        work(s->stop.get_token());
    else
        s->started = false;
    s->finish();
    return job;
}

bool WaitUntil(const std::function<bool()>& done, QDeadlineTimer deadline,
               QEventLoop::ProcessEventsFlags flags) {
    if (done()) return true;
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (!dispatcher) return false;  // no event loop on this thread: nothing would change
    QEventLoop loop;
    // Whatever the events did is looked at before the loop sleeps again.
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &loop, [&loop, &done] {
        if (done()) loop.exit(kLoopDone);
    });
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&loop] { loop.exit(kLoopDone); });
    while (!done() && !deadline.hasExpired()) {
        if (!deadline.isForever())
            timer.start(
                int(std::clamp<qint64>(deadline.remainingTime(), 1, std::numeric_limits<int>::max())));
        if (loop.exec(flags) != kLoopDone) break;  // the application is quitting
    }
    return done();
}

bool WaitForJob(const Job& job, QDeadlineTimer deadline, QEventLoop::ProcessEventsFlags flags,
                const std::function<bool()>& giveUp) {
    if (job.finished()) return true;
    if (!QAbstractEventDispatcher::instance()) return job.wait(deadline);
    QFutureWatcher<void> watcher;  // its signal wakes the loop when the work returns
    watcher.setFuture(job.future());
    WaitUntil([&job, &giveUp] { return job.finished() || (giveUp && giveUp()); }, deadline, flags);
    return job.finished();
}

Bounded RunBounded(Work work, QDeadlineTimer deadline, int graceMs, QEventLoop::ProcessEventsFlags flags) {
    const Job job = StartWork(std::move(work));
    if (!job.started()) return Bounded::NotStarted;
    if (WaitForJob(job, deadline, flags)) return Bounded::Finished;
    job.cancel();
    return WaitForJob(job, QDeadlineTimer(graceMs), flags) ? Bounded::Stopped : Bounded::GivenUp;
}

int RunningWork() {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.reapLocked();
    int running = 0;
    for (const std::shared_ptr<JobState>& s : r.jobs) {
        std::lock_guard done(s->mutex);
        running += s->done ? 0 : 1;
    }
    return running;
}

bool StopAllWork(QDeadlineTimer deadline) {
    std::vector<std::shared_ptr<JobState>> jobs;
    {
        Registry& r = registry();
        std::lock_guard lock(r.mutex);
        r.reapLocked();
        jobs = r.jobs;
    }
    for (const std::shared_ptr<JobState>& s : jobs) s->stop.request_stop();
    bool all = true;
    for (const std::shared_ptr<JobState>& s : jobs) all = WaitOn(*s, deadline) && all;
    return all;
}

}  // namespace lp
