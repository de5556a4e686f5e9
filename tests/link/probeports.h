// Wraps the real serial devices of the link: counts opens and closes, lets a
// test look at the line while a port is open, and can make one step fail or a
// slow line take its time. The bytes still go through the real port.
#pragma once

#include <unistd.h>

#include <QEventLoop>
#include <QProcess>
#include <QStringList>
#include <QThread>
#include <QTimer>
#include <functional>

#include "link/serialport.h"
#include "work/worker.h"

// What `stty -a` reports for a device (as the test runs as root, also for a
// port the link holds for exclusive use).
inline QString SttyAll(const QString& device) {
    QProcess p;
    p.start(QStringLiteral("stty"), {QStringLiteral("-a"), QStringLiteral("-F"), device});
    if (!p.waitForFinished(5000)) return QStringLiteral("stty did not finish");
    return QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError());
}

class ProbePorts : public lp::SerialPorts {
  public:
    ProbePorts() { previous_ = lp::setSerialPorts(this); }
    ~ProbePorts() override { lp::setSerialPorts(previous_); }

    int opens = 0;
    int closes = 0;
    QStringList devices;                            // opened, in order
    std::function<void(const QString&)> whileOpen;  // after the settings are applied
    std::function<void(int)> beforeWrite;           // with the number of the write, from 0
    std::function<void(bool)> onDrain;              // true as the drain starts, false as it ends
    bool refuseSettings = false;
    int writeTakes = -1;                // bytes each write hands on; -1 all
    int lineDelayMs = 0;                // a slow line: each write and the drain take this long
    int stallDrainMs = -1;              // from 0: the drain never ends by itself, the deadline this
    bool flushEndsStall = true;         // whether the flush at the deadline ends such a drain
    QList<lp::SerialPortEntry> listed;  // what available() lists
    QList<QByteArray> writes;           // each write's bytes

    std::unique_ptr<lp::SerialDevice> open(const QString& device, QString* error) override {
        auto real = lp::SerialPorts::open(device, error);
        if (!real) return nullptr;
        ++opens;
        devices << device;
        return std::make_unique<Probe>(*this, std::move(real), device);
    }
    QList<lp::SerialPortEntry> available() override { return listed; }

    static void Wait(int ms) {
        if (ms <= 0) return;
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }

  private:
    class Probe : public lp::SerialDevice {
      public:
        Probe(ProbePorts& owner, std::unique_ptr<lp::SerialDevice> real, QString device)
            : owner_(owner), real_(std::move(real)), device_(std::move(device)) {}
        bool configure(const lp::LineSettings& s) override {
            if (owner_.refuseSettings) return false;
            if (!real_->configure(s)) return false;
            if (owner_.whileOpen) owner_.whileOpen(device_);
            return true;
        }
        int64_t write(const uint8_t* data, int64_t length, QDeadlineTimer deadline) override {
            if (owner_.beforeWrite) owner_.beforeWrite(owner_.writes.size());
            owner_.writes.append(QByteArray(reinterpret_cast<const char*>(data), int(length)));
            Wait(owner_.lineDelayMs);
            const int64_t n = owner_.writeTakes >= 0 ? std::min<int64_t>(owner_.writeTakes, length) : length;
            return real_->write(data, n, deadline);
        }
        bool drain(QDeadlineTimer deadline) override {
            if (owner_.stallDrainMs >= 0) return stall();
            if (owner_.onDrain) owner_.onDrain(true);
            Wait(owner_.lineDelayMs);
            const bool drained = real_->drain(deadline);
            if (owner_.onDrain) owner_.onDrain(false);
            return drained;
        }
        void close() override {
            ++owner_.closes;
            real_->close();
        }
        QString errorString() const override {
            if (!stallError_.isEmpty()) return stallError_;
            return real_->errorString().isEmpty() && owner_.refuseSettings ? QStringLiteral("refused")
                                                                           : real_->errorString();
        }

      private:
        // Blocks on a pipe until the flush writes to it, or (when the flush
        // does nothing) until the pipe closes after the drain is given up.
        bool stall() {
            int fds[2];
            if (::pipe(fds) != 0) return false;
            const bool flushEnds = owner_.flushEndsStall;
            stallError_.clear();
            const bool drained = lp::WaitUntilDrained(
                QDeadlineTimer(owner_.stallDrainMs),
                [in = fds[0]] {
                    char c;
                    return ::read(in, &c, 1) == 1 ? 0 : EIO;
                },
                [out = fds[1], flushEnds] {
                    [[maybe_unused]] const ssize_t n = flushEnds ? ::write(out, "x", 1) : 0;
                },
                &stallError_);
            ::close(fds[1]);  // the reader left behind ends now
            for (int i = 0; i < 200 && lp::RunningWork() > 0; ++i) QThread::msleep(10);
            ::close(fds[0]);
            return drained;
        }
        QString stallError_;
        ProbePorts& owner_;
        std::unique_ptr<lp::SerialDevice> real_;
        QString device_;
    };
    lp::SerialPorts* previous_;
};
