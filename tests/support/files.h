// Small helpers for tests on real files.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QRandomGenerator>
#include <QString>

#ifdef Q_OS_UNIX
#include <sys/resource.h>

#include <csignal>
#endif

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QByteArray RandomBytes(int n) {
    QByteArray b(n, '\0');
    for (char& c : b) c = char(QRandomGenerator::global()->bounded(256));
    return b;
}

// While it lives, writes past `bytes` fail (with an error, not a signal), for
// root too. Only where the system has file size limits.
class FileSizeLimit {
  public:
    static constexpr bool kSupported =
#ifdef Q_OS_UNIX
        true;
#else
        false;
#endif

    explicit FileSizeLimit(long bytes) {
#ifdef Q_OS_UNIX
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit small = saved_;
        small.rlim_cur = static_cast<rlim_t>(bytes);
        ok_ = setrlimit(RLIMIT_FSIZE, &small) == 0;
        handler_ = std::signal(SIGXFSZ, SIG_IGN);
#else
        Q_UNUSED(bytes);
#endif
    }
    ~FileSizeLimit() {
#ifdef Q_OS_UNIX
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, handler_);
#endif
    }
    bool ok() const {
        return ok_;
    }

  private:
    bool ok_ = false;
#ifdef Q_OS_UNIX
    rlimit saved_{};
    void (*handler_)(int) = nullptr;
#endif
};
