// Serial ports for tests: a pseudo-terminal pair made by socat. The program
// opens `device`; what it writes arrives at `peer`, where the test reads it.
// socat is started here and stopped by its process id.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QThread>

class PtyPair {
  public:
    // Links named `name` and `name`-peer in the folder.
    PtyPair(const QString& folder, const QString& name)
        : device(folder + QLatin1Char('/') + name), peer(device + QStringLiteral("-peer")) {}
    ~PtyPair() { stop(); }

    bool start() {
        socat_.setProgram(QStringLiteral("socat"));
        socat_.setArguments({QStringLiteral("PTY,rawer,echo=0,link=") + device,
                             QStringLiteral("PTY,rawer,echo=0,link=") + peer});
        socat_.start();
        if (!socat_.waitForStarted(5000)) return false;
        QElapsedTimer clock;
        clock.start();
        while (!(QFileInfo::exists(device) && QFileInfo::exists(peer))) {
            if (clock.hasExpired(5000) || socat_.state() != QProcess::Running) return false;
            QThread::msleep(5);
        }
        peerFd_ = ::open(QFileInfo(peer).canonicalFilePath().toLocal8Bit().constData(),
                         O_RDONLY | O_NOCTTY | O_NONBLOCK);
        return peerFd_ >= 0;
    }

    // A far end slow to read: socat passes nothing on from pause() to resume().
    void pause() { sendSignal(SIGSTOP); }
    void resume() { sendSignal(SIGCONT); }
    // The peer goes away: socat ends, and with it both pseudo-terminals.
    void stop() {
        if (peerFd_ >= 0) ::close(peerFd_);
        peerFd_ = -1;
        if (socat_.state() == QProcess::NotRunning) return;
        socat_.terminate();  // by its process id
        if (!socat_.waitForFinished(3000)) {
            socat_.kill();
            socat_.waitForFinished(3000);
        }
    }

    // What arrives at the peer: the first `atLeast` bytes however long socat
    // takes to pass them on (the machine's load decides when it runs; up to
    // 10 s), then more until `quietMs` pass without a byte.
    QByteArray read(qsizetype atLeast = 0, int quietMs = 150) {
        QByteArray got;
        if (peerFd_ < 0) return got;
        char buffer[4096];
        pollfd p{peerFd_, POLLIN, 0};
        QElapsedTimer clock;
        clock.start();
        const auto wait = [&] {
            return got.size() < atLeast ? int(std::max<qint64>(0, 10000 - clock.elapsed())) : quietMs;
        };
        while (::poll(&p, 1, wait()) > 0) {
            const ssize_t n = ::read(peerFd_, buffer, sizeof buffer);
            if (n <= 0) break;
            got.append(buffer, n);
        }
        return got;
    }

    const QString device;
    const QString peer;

  private:
    void sendSignal(int number) {
        if (socat_.processId() > 0) ::kill(pid_t(socat_.processId()), number);
    }
    QProcess socat_;
    int peerFd_ = -1;
};
