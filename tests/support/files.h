// Small helpers for tests on real files.
#pragma once

#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QRandomGenerator>
#include <QScopedPointer>
#include <QString>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <optional>

// A test class's folder, new and empty for each test function: derive from
// it beside QObject and renew it in init().
class FreshFolder {
  protected:
    bool renewFolder() {
        dir_.reset(new QTemporaryDir);
        return dir_->isValid();
    }
    QString path(const QString& name) const { return dir_->filePath(name); }
    QScopedPointer<QTemporaryDir> dir_;
};

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
// root too.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(long bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit small = saved_;
        small.rlim_cur = static_cast<rlim_t>(bytes);
        ok_ = setrlimit(RLIMIT_FSIZE, &small) == 0;
        handler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, handler_);
    }
    bool ok() const { return ok_; }

  private:
    bool ok_ = false;
    rlimit saved_{};
    void (*handler_)(int) = nullptr;
};

// Runs `body` as the unprivileged user 65534 in a child process (the test runs
// as root, for whom permission bits stop nothing). The child's complaint, or
// empty; nullopt when no child could become that user.
inline std::optional<QString> RunUnprivileged(const std::function<QString()>& body) {
    int channel[2];
    if (::pipe(channel) != 0) return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
        const QByteArray complaint = body().toUtf8();
        ::_exit(::write(channel[1], complaint.constData(), complaint.size()) == complaint.size() ? 0 : 4);
    }
    ::close(channel[1]);
    QByteArray complaint;
    char chunk[512];
    for (ssize_t n; child > 0 && (n = ::read(channel[0], chunk, sizeof chunk)) > 0;)
        complaint.append(chunk, n);
    ::close(channel[0]);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 3)
        return std::nullopt;
    if (WEXITSTATUS(status) != 0) complaint += "child failed";
    return QString::fromUtf8(complaint);
}
