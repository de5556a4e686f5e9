// Requests answered off the interface thread one at a time, the newest
// winning: the open dialog's picture preview, the trace window's live trace.
//
// A request supersedes every earlier one: the one running is asked to stop
// (its stop token) and its result is dropped; one still waiting to begin is
// never run. One worker thread at a time takes the newest request when it is
// free, so however fast the requests come, one piece of work runs. The result
// of the newest request is handed over on the owner's thread, unless the owner
// has gone, a newer request came or drop() was called meanwhile.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <stop_token>
#include <utility>

#include "work/worker.h"

namespace lp {

class NewestWins {
  public:
    // What a request does off the interface thread; what it returns is then
    // called on the owner's thread, to take the result.
    using Work = std::function<std::function<void()>(std::stop_token)>;

    // `owner` owns this helper and takes the results on its thread; `fallback`
    // says what happens when the system gives no thread.
    explicit NewestWins(QObject* owner, NoThread fallback = NoThread::Refuse);
    // The work running is asked to stop and ends unseen.
    ~NewestWins();
    NewestWins(const NewestWins&) = delete;
    NewestWins& operator=(const NewestWins&) = delete;

    // Supersedes every earlier request. False when no thread could be had
    // and the fallback refused the work: then nothing will be handed over.
    bool request(Work work);

    // `compute` runs off the interface thread; `take` gets what it returns.
    template <typename Compute, typename Take>
    bool request(Compute compute, Take take) {
        return request(Work([compute = std::move(compute), take = std::move(take)](std::stop_token stop) {
            return std::function<void()>(
                [take, result = compute(stop)]() mutable { take(std::move(result)); });
        }));
    }

    // Drops what runs and what waits; nothing more is handed over until the
    // next request.
    void drop();

    // A request waits for its result, or work still runs (a dropped piece
    // included, until it has ended).
    bool busy() const;

  private:
    struct State;
    static void Serve(const std::shared_ptr<State>& state, std::stop_token stop);

    std::shared_ptr<State> state_;
    Job job_;  // the latest worker started
};

}  // namespace lp
