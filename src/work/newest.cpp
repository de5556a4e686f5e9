#include "work/newest.h"

#include <mutex>

namespace lp {

// Shared by the helper and its worker thread; whichever ends last frees it.
struct NewestWins::State {
    std::mutex mutex;
    QObject* owner = nullptr;  // null once the helper is gone
    NoThread fallback = NoThread::Refuse;
    quint64 generation = 0;    // counts the requests and drops
    Work pending;              // the newest request, not yet taken by the worker
    bool running = false;      // a worker thread is at work
    bool awaited = false;      // the newest request's result is not handed over yet
    std::stop_source current;  // stops the work of the newest request

    // Stops what runs and forgets what waits; under the lock.
    void supersede() {
        ++generation;
        current.request_stop();
        current = std::stop_source();
        pending = nullptr;
        awaited = false;
    }
};

// Takes the newest request, then the next newest, until none waits.
void NewestWins::Serve(const std::shared_ptr<State>& state, std::stop_token stop) {
    // Quitting stops the work under way as well.
    const std::stop_callback quitting(stop, [&state] {
        std::lock_guard lock(state->mutex);
        state->current.request_stop();
    });
    for (;;) {
        Work work;
        quint64 generation;
        std::stop_token token;
        {
            std::lock_guard lock(state->mutex);
            if (!state->pending || stop.stop_requested()) {
                state->running = false;
                return;
            }
            work = std::exchange(state->pending, nullptr);
            generation = state->generation;
            token = state->current.get_token();
        }
        std::function<void()> take = work(token);
        work = nullptr;
        std::lock_guard lock(state->mutex);
        // With nothing more to take, the worker is done before the result is
        // handed over: the owner, woken by it, finds the helper no longer busy.
        const bool last = !state->pending || stop.stop_requested();
        if (last) state->running = false;
        if (take && state->owner && generation == state->generation)
            // Queued to the owner's thread under the lock, so the owner cannot
            // go meanwhile; dropped with the owner if it goes first.
            QMetaObject::invokeMethod(
                state->owner,
                [state, generation, take = std::move(take)] {
                    {
                        std::lock_guard lock(state->mutex);
                        if (generation != state->generation) return;
                        state->awaited = false;
                    }
                    take();
                },
                Qt::QueuedConnection);
        if (last) return;
    }
}

NewestWins::NewestWins(QObject* owner, NoThread fallback) : state_(std::make_shared<State>()) {
    state_->owner = owner;
    state_->fallback = fallback;
}

NewestWins::~NewestWins() {
    {
        std::lock_guard lock(state_->mutex);
        state_->supersede();
        state_->owner = nullptr;
    }
    job_.cancel();  // outside the lock: the worker's stop callback takes it
}

bool NewestWins::request(Work work) {
    bool startWorker = false;
    {
        std::lock_guard lock(state_->mutex);
        state_->supersede();
        state_->pending = std::move(work);
        state_->awaited = true;
        startWorker = !state_->running;
        state_->running = true;
    }
    if (!startWorker) return true;
    job_ = StartWork([state = state_](std::stop_token stop) { Serve(state, stop); }, state_->fallback);
    if (job_.started()) return true;
    std::lock_guard lock(state_->mutex);
    state_->supersede();
    state_->running = false;
    return false;
}

void NewestWins::drop() {
    std::lock_guard lock(state_->mutex);
    state_->supersede();
}

bool NewestWins::busy() const {
    std::lock_guard lock(state_->mutex);
    return state_->running || state_->awaited;
}

}  // namespace lp
