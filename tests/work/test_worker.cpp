// The worker helper when the system gives no thread: the address space is
// held so tight that a new thread's stack does not fit, as on a machine out
// of memory or threads.
#include <sys/resource.h>
#include <unistd.h>

#include <QFile>
#include <QtTest>

#include "widgets/waitwork.h"
#include "work/newest.h"
#include "work/worker.h"

namespace {

rlim_t AddressSpaceInUse() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    return rlim_t(statm.readAll().split(' ').value(0).toULongLong()) * rlim_t(::sysconf(_SC_PAGESIZE));
}

}  // namespace

class WorkerTest : public QObject {
    Q_OBJECT
  private slots:
    void noThreadToBeHad();
    void newestWins();
};

void WorkerTest::noThreadToBeHad() {
    rlimit saved{};
    QVERIFY(::getrlimit(RLIMIT_AS, &saved) == 0 && AddressSpaceInUse() > 0);
    const QRegularExpression refused(QStringLiteral("Thread creation error"));
    for (int i = 0; i < 3; ++i) QTest::ignoreMessage(QtCriticalMsg, refused);
    bool ran = false, ranHere = false, waited = false;
    lp::Job notRun, inPlace;
    lp::WaitOutcome outcome;
    {
        const rlimit tight{AddressSpaceInUse() + 1024 * 1024, saved.rlim_max};
        QVERIFY(::setrlimit(RLIMIT_AS, &tight) == 0);
        notRun = lp::StartWork([&ran](std::stop_token) { ran = true; });
        inPlace = lp::StartWork(
            [&ranHere](std::stop_token) { ranHere = (QThread::currentThread() == qApp->thread()); },
            lp::NoThread::RunHere);
        outcome =
            lp::WaitForWork(nullptr, QStringLiteral("…"), [&waited](std::stop_token) { waited = true; });
        QVERIFY(::setrlimit(RLIMIT_AS, &saved) == 0);
    }
    QVERIFY(!notRun.started() && notRun.finished() && !ran);
    QVERIFY(inPlace.started() && inPlace.finished() && ranHere);
    QVERIFY(outcome == lp::WaitOutcome::Done && waited);
    QCOMPARE(lp::RunningWork(), 0);
    // With room again the next piece of work gets its thread.
    bool onWorker = false;
    const lp::Job job = lp::StartWork(
        [&onWorker](std::stop_token) { onWorker = !(QThread::currentThread() == qApp->thread()); });
    QVERIFY(job.started() && job.wait(QDeadlineTimer(5000)) && onWorker);
}

// Requests overtaking one another: the one running is asked to stop, the one
// waiting never runs, only the newest result is taken, and the helper is idle
// when it is (a waiter woken by the result finds it so).
void WorkerTest::newestWins() {
    QObject owner;
    lp::NewestWins helper(&owner);
    std::atomic<int> first = 0;  // 1: running, 2: stopped
    QStringList taken;
    bool busyWhenTaken = true;
    auto take = [&](const QString& result) { taken << result, busyWhenTaken = helper.busy(); };
    helper.request(
        [&](std::stop_token stop) {
            for (first = 1; !stop.stop_requested();) QThread::msleep(1);
            return first = 2, QStringLiteral("first");
        },
        take);
    QTRY_COMPARE(first.load(), 1);
    for (const QString& r : {QStringLiteral("second"), QStringLiteral("third")})
        helper.request([r](std::stop_token) { return r; }, take);
    QVERIFY(helper.busy());
    QTRY_COMPARE(taken, QStringList{QStringLiteral("third")});
    QVERIFY(first == 2 && !busyWhenTaken && !helper.busy());
}

QTEST_MAIN(WorkerTest)
#include "test_worker.moc"
