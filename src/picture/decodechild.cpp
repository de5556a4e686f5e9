#include "picture/decodechild.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "files/descriptor.h"

namespace lp {

namespace {

PictureResult Failure(const QString& reason, PictureRefusal refusal = PictureRefusal::Other) {
    return {QImage(), reason, QSize(), refusal};
}

const char kFailure[] = "FAIL ";
// The kinds of refusal as the child names them.
const std::pair<PictureRefusal, QByteArray> kRefusalWords[] = {{PictureRefusal::Other, "other"},
                                                               {PictureRefusal::NotPicture, "not-picture"},
                                                               {PictureRefusal::Cut, "cut"}};

QString Damaged(const QString& how) {
    return QCoreApplication::translate("Decode", "Картинка повреждена: её разбор оборвался (%1)").arg(how);
}

// The child's answer, taken in as it arrives: the line, then the pixels.
class Answer {
  public:
    explicit Answer(const QSize& most) : most_(most) {}
    bool complete() const { return done_; }
    // Where the next bytes go, at most `room` of them.
    char* space(qint64& room) {
        if (image_.isNull()) {
            room = qint64(sizeof line_) - lineSize_;
            return line_ + lineSize_;
        }
        room = image_.sizeInBytes() - pixelsSize_;
        return reinterpret_cast<char*>(image_.bits()) + pixelsSize_;
    }
    // `n` bytes arrived at space(); false when they cannot be a right answer.
    bool arrived(qint64 n) {
        if (!image_.isNull()) {
            pixelsSize_ += n;
            done_ = pixelsSize_ == image_.sizeInBytes();
            return true;
        }
        const qint64 before = lineSize_;
        lineSize_ += n;
        const char* end = static_cast<const char*>(memchr(line_ + before, '\n', size_t(n)));
        if (!end) return lineSize_ < qint64(sizeof line_);
        if (!readLine(QByteArray(line_, end - line_))) return false;
        // Pixels that came with the line.
        const qint64 extra = lineSize_ - (end + 1 - line_);
        if (extra > 0 && (done_ || extra > image_.sizeInBytes())) return false;
        if (extra > 0) {
            memcpy(image_.bits(), end + 1, size_t(extra));
            return arrived(extra);
        }
        return true;
    }
    PictureResult result() const {
        if (!reason_.isEmpty()) return Failure(reason_, refusal_);
        return {image_, {}, declared_};
    }

  private:
    bool readLine(const QByteArray& line) {
        if (line.startsWith(kFailure)) {
            const QByteArray kind = line.sliced(strlen(kFailure)).split(' ').constFirst();
            const auto known = std::ranges::find(kRefusalWords, kind, [](auto& word) { return word.second; });
            reason_ = QString::fromUtf8(line.sliced(strlen(kFailure) + kind.size()).trimmed());
            refusal_ = known == std::end(kRefusalWords) ? PictureRefusal::Other : known->first;
            done_ = known != std::end(kRefusalWords) && !reason_.isEmpty();
            return done_;
        }
        const QList<QByteArray> words = line.split(' ');
        if (words.size() != 6 || words[0] != kDecodeHeader) return false;
        bool ok[4];
        const int width = words[1].toInt(&ok[0]), height = words[2].toInt(&ok[1]);
        declared_ = QSize(words[3].toInt(&ok[2]), words[4].toInt(&ok[3]));
        const QImage::Format format = words[5] == "argb32pm" ? QImage::Format_ARGB32_Premultiplied
                                      : words[5] == "rgb32"  ? QImage::Format_RGB32
                                                             : QImage::Format_Invalid;
        if (!(ok[0] && ok[1] && ok[2] && ok[3]) || format == QImage::Format_Invalid || width < 1 ||
            height < 1 || width > most_.width() || height > most_.height() || declared_.isEmpty())
            return false;
        image_ = QImage(width, height, format);
        return !image_.isNull() && image_.bytesPerLine() == 4 * qsizetype(width);
    }

    QSize most_;
    char line_[4096];
    qint64 lineSize_ = 0;
    QImage image_;
    qint64 pixelsSize_ = 0;
    QSize declared_;
    QString reason_;
    PictureRefusal refusal_ = PictureRefusal::Other;
    bool done_ = false;
};

}  // namespace

QByteArray DecodeFailureLine(const QString& reason, PictureRefusal refusal) {
    const auto word = std::ranges::find(kRefusalWords, refusal, [](auto& word) { return word.first; });
    return kFailure + word->second + ' ' + reason.toUtf8().replace('\n', ' ') + '\n';
}

QString DecodeTooLarge() {
    return QCoreApplication::translate("Decode",
                                       "Картинка слишком большая: её разбор не уложился в %1 МБ памяти")
        .arg(kDecodeMemoryMb);
}

QString DecodeTooLong() {
    return QCoreApplication::translate("Decode",
                                       "Картинка разбирается слишком долго: разбор остановлен через %1 с")
        .arg(kDecodeDeadlineMs / 1000);
}

QString DecoderProgram() {
    static const QString program = [] {
        const QString self = QCoreApplication::instance()
                                 ? QCoreApplication::applicationFilePath()
                                 : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
        const QString dir = QFileInfo(self).path(), name = QStringLiteral("/laserpic-decode");
        QStringList places{dir + name, dir + QStringLiteral("/../libexec/laserpic") + name};
#ifdef LASERPIC_BUILD_DIR
        const QString build = QFileInfo(QStringLiteral(LASERPIC_BUILD_DIR)).canonicalFilePath();
        if (!build.isEmpty() && QFileInfo(self).canonicalFilePath().startsWith(build + u'/'))
            places << build + name;
#endif
        for (const QString& place : std::as_const(places)) {
            const QFileInfo info(place);
            if (info.isFile() && info.isExecutable()) return info.canonicalFilePath();
        }
        return QString();
    }();
    return program;
}

PictureResult DecodeChild::load(const QString& path, const QSize& box, std::stop_token stop) {
    const std::stop_callback stopping(stop, [this] { this->stop(); });
    // The child works in a folder of its own: the path must not depend on it.
    const QString absolute = path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
    if (!box.isValid())
        return run({QStringLiteral("--"), absolute}, QSize(kPictureKeptSide, kPictureKeptSide));
    return run({QStringLiteral("--fit"), QString::number(box.width()), QString::number(box.height()),
                QStringLiteral("--"), absolute},
               box);
}

namespace {

QString SpawnFailure(int err) {
    return QCoreApplication::translate("Decode", "Не удалось запустить программу разбора картинок: ") +
           qt_error_string(err);
}

}  // namespace

PictureResult DecodeChild::run(const QStringList& arguments, const QSize& most) {
    const QByteArray program = QFile::encodeName(program_);
    if (program.isEmpty())
        return Failure(
            QCoreApplication::translate("Decode", "Не найдена программа разбора картинок laserpic-decode"));
    std::vector<QByteArray> words{program};
    for (const QString& argument : arguments) words.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return Failure(SpawnFailure(errno));
    Descriptor answers(ends[0]), childOutput(ends[1]);  // the two ends of the pipe
    fcntl(ends[0], F_SETPIPE_SZ, 1 << 20);              // the pixels in a few turns, not dozens
    // Its input and errors go nowhere, its output to the pipe; its signals
    // as a new program has them, whatever the editor has set.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, childOutput.get(), 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    int spawned;
    {
        std::lock_guard lock(mutex_);
        if (stopped_)
            spawned = ECANCELED;
        else
            spawned = posix_spawn(&pid_, program.constData(), &actions, &attributes, argv.data(), environ);
        if (spawned != 0) pid_ = 0;
    }
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (spawned == ECANCELED) return Failure(QCoreApplication::translate("Decode", "Остановлено"));
    if (spawned != 0) return Failure(SpawnFailure(spawned));
    childOutput.reset();  // the child holds the only writing end now

    // The answer, until it is whole, the child ends or the time is up.
    Answer answer(most);
    QElapsedTimer clock;
    clock.start();
    bool late = false, wrong = false;
    while (!answer.complete()) {
        const qint64 left = kDecodeDeadlineMs - clock.elapsed();
        if (left <= 0) {
            late = true;
            break;
        }
        pollfd ready{answers.get(), POLLIN, 0};
        if (::poll(&ready, 1, int(left)) <= 0) continue;
        qint64 room = 0;
        char* space = answer.space(room);
        const ssize_t n = Retried([&] { return ::read(answers.get(), space, size_t(room)); });
        if (n < 0 && errno == EAGAIN) continue;
        if (n <= 0) break;
        if (!answer.arrived(n)) {
            wrong = true;
            break;
        }
    }

    // How the child ended. One that has not answered has until the deadline
    // to end by itself; then, or once the answer is whole, it is killed. One
    // that cannot even be killed (held in the system) is left behind. Its end
    // is waited for on a descriptor that becomes readable then (a stop kills
    // it, which ends the wait too).
    int status = 0;
    rusage usage{};
    bool stopped = false;
    const Descriptor ended(int(::syscall(SYS_pidfd_open, pid_, 0)));
    if (!ended.valid()) {  // a kernel without process descriptors: the child cannot be watched
        const int err = errno;
        std::lock_guard lock(mutex_);
        ::kill(pid_, SIGKILL);
        Retried([&] { return ::waitpid(pid_, &status, 0); });
        pid_ = 0;
        return Failure(SpawnFailure(err));
    }
    for (;;) {
        qint64 left = 0;
        {
            std::lock_guard lock(mutex_);
            stopped = stopped_;
            const bool timeUp = clock.elapsed() >= kDecodeDeadlineMs;
            late = late || (timeUp && !answer.complete());
            const bool killed = answer.complete() || wrong || stopped || timeUp;
            if (killed) ::kill(pid_, SIGKILL);
            const pid_t got = Retried([&] { return ::wait4(pid_, &status, WNOHANG, &usage); });
            if (got == pid_ || got < 0) {
                pid_ = 0;
                break;
            }
            left = (killed ? kDecodeDeadlineMs + 1000 : kDecodeDeadlineMs) - clock.elapsed();
            if (left <= 0) break;
        }
        pollfd end{ended.get(), POLLIN, 0};
        ::poll(&end, 1, int(left));
    }

    if (answer.complete()) return answer.result();
    if (stopped) return Failure(QCoreApplication::translate("Decode", "Остановлено"));
    if (wrong)
        return Failure(Damaged(QCoreApplication::translate("Decode", "непонятный ответ программы разбора")));
    if (late) return Failure(DecodeTooLong());
    if (WIFSIGNALED(status)) {
        const int signal = WTERMSIG(status);
        const double cpu = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        if (signal == SIGXCPU || (signal == SIGKILL && cpu >= kDecodeCpuSeconds))
            return Failure(DecodeTooLong());
        const QString name = QStringLiteral("SIG") + QString::fromLatin1(sigabbrev_np(signal));
        // A fault of the decoding itself, or a signal from outside (its own
        // lack of memory it answers itself).
        for (const int fault : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT, SIGSYS, SIGTRAP})
            if (signal == fault)
                return Failure(Damaged(QCoreApplication::translate("Decode", "сигнал %1").arg(name)));
        return Failure(
            QCoreApplication::translate("Decode",
                                        "Разбор картинки прерван извне: программу разбора остановил "
                                        "сигнал %1")
                .arg(name));
    }
    return Failure(Damaged(QCoreApplication::translate("Decode", "ответ программы разбора не полон")));
}

void DecodeChild::stop() {
    std::lock_guard lock(mutex_);
    stopped_ = true;
    if (pid_ > 0) ::kill(pid_, SIGKILL);
}

}  // namespace lp
