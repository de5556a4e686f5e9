#include "link/serialdevice.h"

#include <QCoreApplication>
#include <atomic>
#include <memory>

#include "files/fileresult.h"
#include "work/worker.h"

namespace lp {

namespace {

// A drain flushed at its deadline is given this long to end.
constexpr int kFlushGraceMs = 1000;

}  // namespace

bool WaitUntilDrained(QDeadlineTimer deadline, std::function<int()> drain, std::function<void()> flush,
                      QString* error) {
    auto result = std::make_shared<std::atomic<int>>(-1);  // -1 until the drain returns
    const Bounded ran = RunBounded(
        [drain = std::move(drain), flush = std::move(flush), result](std::stop_token stop) {
            const std::stop_callback onStop(stop, flush);
            result->store(drain());
        },
        deadline, kFlushGraceMs);
    switch (ran) {
        case Bounded::Finished:
            if (result->load() == 0) return true;
            *error = SystemErrorText(result->load());
            return false;
        case Bounded::NotStarted:
            *error = QCoreApplication::translate(
                "SerialPort", "не удалось дождаться, пока данные уйдут в линию: система не дала потока");
            return false;
        default:  // flushed, or stuck even so and left behind
            *error = QCoreApplication::translate("SerialPort", "данные не ушли в линию вовремя");
            return false;
    }
}

}  // namespace lp
