#include "files/replacefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <climits>

#include "files/descriptor.h"

namespace lp {

namespace {

// Links followed before a path counts as a loop, as the kernel does.
constexpr int kMaxLinks = 40;

QString CreateFailed() {
    return QCoreApplication::translate("Files", "Не удалось создать файл: ");
}

FileResult WriteFailure(int err) {
    return SystemFailure(QCoreApplication::translate("Files", "Ошибка записи файла: "), err);
}

// Follows symbolic links to the path they finally name, which need not exist.
bool FollowLinks(QByteArray& path, int& err) {
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat st;
        if (::lstat(path.constData(), &st) != 0) {
            if (errno == ENOENT) return true;
            err = errno;
            return false;
        }
        if (!S_ISLNK(st.st_mode)) return true;
        QByteArray target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.constData(), target.data(), target.size());
        if (n < 0) {
            err = errno;
            return false;
        }
        target.truncate(n);
        const qsizetype slash = path.lastIndexOf('/');
        path = target.startsWith('/') || slash < 0 ? target : path.left(slash + 1) + target;
    }
    err = ELOOP;
    return false;
}

// A new file beside the target, removed again unless it becomes the target.
// Its name is short: the target's own may be as long as the file system allows.
class Temporary {
  public:
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    explicit Temporary(const QByteArray& folderPrefix) {
        static const char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
        for (int attempt = 0; attempt < 100; ++attempt) {
            QByteArray name = folderPrefix + ".lp";
            for (int i = 0; i < 8; ++i) name += kChars[QRandomGenerator::global()->bounded(36)];
            name += ".tmp";
            file.reset(::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
            if (file.valid()) {
                name_ = name;
                return;
            }
            if (errno != EEXIST) break;
        }
        error = errno;
    }
    ~Temporary() {
        if (!name_.isEmpty()) ::unlink(name_.constData());
    }
    const QByteArray& name() const { return name_; }
    void keep() { name_.clear(); }

    Descriptor file;
    int error = 0;  // why it could not be made

  private:
    QByteArray name_;
};

// Rewrites an existing regular file where it stands. What it held is read
// first, as far as the new content reaches, and put back if the rewrite fails.
FileResult RewriteInPlace(const QByteArray& name, QByteArrayView bytes) {
    const int flags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    Descriptor file(::open(name.constData(), O_RDWR | flags));
    const bool readable = file.valid();
    if (!readable && errno == EACCES) file.reset(::open(name.constData(), O_WRONLY | flags));
    if (!file.valid())
        return SystemFailure(QCoreApplication::translate("Files", "Не удалось открыть файл для записи: "),
                             errno);
    struct stat st;
    if (::fstat(file.get(), &st) != 0) return WriteFailure(errno);
    if (!S_ISREG(st.st_mode)) return {false, NotRegularText(st.st_mode)};
    const qint64 size = bytes.size();
    QByteArray previous;
    if (readable) {
        previous.resize(qsizetype(std::min<qint64>(st.st_size, size)));
        const qint64 got = ReadAt(file.get(), 0, previous.data(), previous.size());
        if (got < 0)
            return SystemFailure(QCoreApplication::translate("Files", "Ошибка чтения файла: "), errno);
        previous.truncate(qsizetype(got));
    }
    // What went wrong, and whether the previous content is back.
    auto undo = [&](const QString& what, qint64 written, int err) -> FileResult {
        const qint64 back = std::min<qint64>(written, previous.size());
        const bool restored =
            (readable || written == 0) && WriteAt(file.get(), 0, previous.constData(), back) == back &&
            (written <= st.st_size || ::ftruncate(file.get(), st.st_size) == 0) && ::fsync(file.get()) == 0;
        return {false,
                what + SystemErrorText(err) +
                    (restored ? QCoreApplication::translate("Files", "; прежнее содержимое файла сохранено")
                              : QCoreApplication::translate(
                                    "Files", "; прежнее содержимое файла восстановить не удалось"))};
    };
    const qint64 written = WriteAt(file.get(), 0, bytes.data(), size);
    if (written < size) {
        const int err = errno;
        return undo(
            QCoreApplication::translate("Files", "Записано только %1 из %2 байт: ").arg(written).arg(size),
            written, err);
    }
    if (::ftruncate(file.get(), size) != 0 || ::fsync(file.get()) != 0) {
        const int err = errno;
        return undo(QCoreApplication::translate("Files", "Ошибка записи файла: "), size, err);
    }
    if (!file.close()) return WriteFailure(errno);
    return Succeeded();
}

}  // namespace

FileResult CheckSaveTarget(const QString& path) {
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0)
        return S_ISREG(st.st_mode) ? Succeeded() : FileResult{false, NotRegularText(st.st_mode)};
    if (errno == ELOOP) return SystemFailure(QString(), ELOOP);
    return Succeeded();  // nothing there; whatever else is wrong, the write reports
}

FileResult ReplaceFile(const QString& path, QByteArrayView bytes) {
    if (const FileResult target = CheckSaveTarget(path); !target) return target;
    QByteArray name = QFile::encodeName(path);
    if (name.isEmpty()) return SystemFailure(CreateFailed(), ENOENT);
    int err = 0;
    if (!FollowLinks(name, err)) return SystemFailure(CreateFailed(), err);
    struct stat old;
    const bool exists = ::stat(name.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return {false, NotRegularText(old.st_mode)};
    // A file protected against writing is not replaced behind its owner's back.
    if (exists && ::access(name.constData(), W_OK) != 0)
        return SystemFailure(QCoreApplication::translate("Files", "Файл защищён от записи: "), errno);

    const qsizetype slash = name.lastIndexOf('/');
    Temporary temp(slash < 0 ? QByteArray() : name.left(slash + 1));
    if (!temp.file.valid()) {
        // A folder that may not be written, holding a file that may.
        if (exists && (temp.error == EACCES || temp.error == EPERM)) return RewriteInPlace(name, bytes);
        return SystemFailure(CreateFailed(), temp.error);
    }
    if (WriteAt(temp.file.get(), 0, bytes.data(), bytes.size()) < bytes.size()) return WriteFailure(errno);
    // The file stays the same one when other names share it, and when the
    // replacement cannot be given the owner of a file that is someone else's:
    // the new content, safe on disk in the temporary copy, is then written
    // over the old.
    bool inPlace = exists && old.st_nlink > 1;
    if (exists && !inPlace) {
        struct stat made;
        if (::fstat(temp.file.get(), &made) != 0) return WriteFailure(errno);
        if ((made.st_uid != old.st_uid || made.st_gid != old.st_gid) &&
            ::fchown(temp.file.get(), old.st_uid, old.st_gid) != 0)
            inPlace = true;
        else if (::fchmod(temp.file.get(), old.st_mode & 07777) != 0)
            return WriteFailure(errno);
    }
    if (::fsync(temp.file.get()) != 0 || !temp.file.close()) return WriteFailure(errno);
    if (inPlace) return RewriteInPlace(name, bytes);
    // Something other than a file may have been put there meanwhile.
    struct stat now;
    if (::lstat(name.constData(), &now) == 0 && !S_ISREG(now.st_mode))
        return {false, NotRegularText(now.st_mode)};
    if (::rename(temp.name().constData(), name.constData()) != 0) {
        err = errno;
        // A file that may be written but not replaced (a sticky folder).
        if (exists && (err == EACCES || err == EPERM)) return RewriteInPlace(name, bytes);
        return SystemFailure(QCoreApplication::translate("Files", "Не удалось заменить файл: "), err);
    }
    temp.keep();
    return Succeeded();
}

FileResult RemoveFile(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    if (::unlink(name.constData()) == 0 || errno == ENOENT) return Succeeded();
    return SystemFailure(QCoreApplication::translate("Files", "Не удалось удалить файл: "), errno);
}

FileResult RenameFile(const QString& from, const QString& to) {
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return Succeeded();
    return SystemFailure(QCoreApplication::translate("Files", "Не удалось переименовать файл: "), errno);
}

}  // namespace lp
