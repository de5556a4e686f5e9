#include "figure/kvtfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstring>

#include "figure/regularfile.h"

namespace lp {

namespace {

// Links followed before a path counts as a loop, as the kernel does.
constexpr int kMaxLinks = 40;

QString ErrnoText(int err) {
    switch (err) {
        case ENOENT:
            return QStringLiteral("Нет такого файла или папки");
        case EACCES:
        case EPERM:
            return QStringLiteral("Нет прав доступа");
        case EISDIR:
            return QStringLiteral("Это папка, а не файл");
        case ENOTDIR:
            return QStringLiteral("Часть пути не является папкой");
        case ENAMETOOLONG:
            return QStringLiteral("Слишком длинное имя файла");
        case ELOOP:
            return QStringLiteral("Символьные ссылки образуют кольцо");
        case ENOSPC:
            return QStringLiteral("На диске нет места");
        case EDQUOT:
            return QStringLiteral("Превышена дисковая квота");
        case EROFS:
            return QStringLiteral("Файловая система доступна только для чтения");
        case EFBIG:
            return QStringLiteral("Превышен допустимый размер файла");
        case EIO:
            return QStringLiteral("Ошибка ввода-вывода");
        default:
            return QString::fromLocal8Bit(std::strerror(err));
    }
}

// Why something that is not a regular file is refused.
QString KindText(mode_t mode) {
    if (S_ISDIR(mode)) return QStringLiteral("Это папка, а не файл");
    if (S_ISFIFO(mode)) return QStringLiteral("Это не обычный файл, а именованный канал");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("Это не обычный файл, а устройство");
    if (S_ISSOCK(mode)) return QStringLiteral("Это не обычный файл, а сокет");
    return QStringLiteral("Это не обычный файл");
}

FileResult Failed(const QString& what, int err) {
    return {false, what + ErrnoText(err)};
}

class Descriptor {
  public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now: a delayed write error shows up here.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

// Reads up to count bytes, stopping early only at the end of the file.
ssize_t ReadAll(int fd, char* data, size_t count) {
    size_t got = 0;
    while (got < count) {
        const ssize_t n = ::read(fd, data + got, count - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        got += size_t(n);
    }
    return ssize_t(got);
}

// Writes count bytes from the offset on; returns how many were written, and
// leaves the reason in errno when that is fewer.
size_t WriteAll(int fd, const char* data, size_t count) {
    size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pwrite(fd, data + done, count - done, off_t(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        if (n == 0) {
            errno = EIO;
            break;
        }
        done += size_t(n);
    }
    return done;
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

// A new file with a short name beside the target (the target's own name may
// already be as long as the file system allows).
int CreateTemporary(const QByteArray& folderPrefix, QByteArray& name, int& err) {
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folderPrefix + ".lp";
        for (int i = 0; i < 8; ++i) name += kChars[QRandomGenerator::global()->bounded(36)];
        name += ".tmp";
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST) break;
    }
    err = errno;
    return -1;
}

// Rewrites an existing regular file where it stands: only for a file that may
// be written in a folder that may not.
FileResult WriteInPlace(const QByteArray& name, const PictureBytes& buffer) {
    Descriptor file(::open(name.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) return Failed(QStringLiteral("Не удалось открыть файл для записи: "), errno);
    struct stat st;
    if (::fstat(file.get(), &st) != 0) return Failed(QStringLiteral("Ошибка записи файла: "), errno);
    if (!S_ISREG(st.st_mode)) return {false, KindText(st.st_mode)};
    const size_t written = WriteAll(file.get(), reinterpret_cast<const char*>(buffer.data()), FileImageSize);
    if (written < size_t(FileImageSize))
        return Failed(QStringLiteral("Записано только %1 из %2 байт: ").arg(written).arg(FileImageSize),
                      errno);
    if (::ftruncate(file.get(), FileImageSize) != 0 || ::fsync(file.get()) != 0 || !file.close())
        return Failed(QStringLiteral("Ошибка записи файла: "), errno);
    return {true, {}};
}

}  // namespace

FileResult ReadPictureFile(const QString& path, PictureBytes& buffer) {
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty()) return Failed(QString(), ENOENT);
    RegularFile file;
    switch (file.open(name)) {
        case RegularFile::Opened:
            break;
        case RegularFile::NotRegular:
            return {false, KindText(file.kind())};
        default:
            return Failed(QString(), file.error());
    }

    std::array<char, FileImageSize> image;
    const ssize_t got = ReadAll(file.fd(), image.data(), image.size());
    if (got < 0) return Failed(QStringLiteral("Ошибка чтения файла: "), errno);
    if (got < FileImageSize) return {false, QStringLiteral("Файл короче 2048 байт")};
    std::copy(image.begin(), image.end(), buffer.begin());
    return {true, {}};
}

FileResult CheckSaveTarget(const QString& path) {
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0)
        return S_ISREG(st.st_mode) ? FileResult{true, {}} : FileResult{false, KindText(st.st_mode)};
    if (errno == ELOOP) return {false, ErrnoText(ELOOP)};
    return {true, {}};  // nothing there; whatever else is wrong, the write reports
}

FileResult WritePictureFile(const QString& path, const PictureBytes& buffer) {
    if (const FileResult target = CheckSaveTarget(path); !target) return target;
    QByteArray name = QFile::encodeName(path);
    if (name.isEmpty()) return Failed(QStringLiteral("Не удалось создать файл: "), ENOENT);
    int err = 0;
    if (!FollowLinks(name, err)) return Failed(QStringLiteral("Не удалось создать файл: "), err);
    struct stat old;
    const bool exists = ::stat(name.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return {false, KindText(old.st_mode)};
    // A file protected against writing is not replaced behind its owner's back.
    if (exists && ::access(name.constData(), W_OK) != 0)
        return Failed(QStringLiteral("Файл защищён от записи: "), errno);

    const qsizetype slash = name.lastIndexOf('/');
    QByteArray temp;
    Descriptor file(CreateTemporary(slash < 0 ? QByteArray() : name.left(slash + 1), temp, err));
    if (file.get() < 0) {
        if (exists && (err == EACCES || err == EPERM)) return WriteInPlace(name, buffer);
        return Failed(QStringLiteral("Не удалось создать файл: "), err);
    }
    auto drop = [&](const QString& what, int reason) {
        ::unlink(temp.constData());
        return Failed(what, reason);
    };
    if (WriteAll(file.get(), reinterpret_cast<const char*>(buffer.data()), FileImageSize) <
        size_t(FileImageSize))
        return drop(QStringLiteral("Ошибка записи файла: "), errno);
    if (exists) {
        // The replacement keeps the owner where allowed (a failure leaves the
        // saver as owner) and the permissions.
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(file.get(), old.st_uid, old.st_gid) != 0) {
        }
        if (::fchmod(file.get(), old.st_mode & 07777) != 0)
            return drop(QStringLiteral("Ошибка записи файла: "), errno);
    }
    if (::fsync(file.get()) != 0 || !file.close())
        return drop(QStringLiteral("Ошибка записи файла: "), errno);
    // Something other than a file may have been put there meanwhile.
    struct stat now;
    if (::lstat(name.constData(), &now) == 0 && !S_ISREG(now.st_mode)) {
        ::unlink(temp.constData());
        return {false, KindText(now.st_mode)};
    }
    if (::rename(temp.constData(), name.constData()) != 0) {
        err = errno;
        ::unlink(temp.constData());
        // A file that may be written but not replaced (a sticky folder).
        if (exists && (err == EACCES || err == EPERM)) return WriteInPlace(name, buffer);
        return Failed(QStringLiteral("Не удалось заменить файл: "), err);
    }
    return {true, {}};
}

void FigureToImage(const Coords& X, const Coords& Y, PictureBytes& buffer) {
    std::copy(X.begin(), X.end(), buffer.begin());
    std::copy(Y.begin(), Y.end(), buffer.begin() + YBlockOffset);
}

void ImageToFigure(const PictureBytes& buffer, Coords& X, Coords& Y) {
    std::copy_n(buffer.begin(), PointCount, X.begin());
    std::copy_n(buffer.begin() + YBlockOffset, PointCount, Y.begin());
}

QString PictureNameFor(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) return QStringLiteral(" NoName ");
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

}  // namespace lp
