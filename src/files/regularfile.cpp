#include "files/regularfile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <cerrno>

namespace lp {

namespace {

FileResult OpenFailure(int err) {
    // A missing file is named as such whichever step found it gone.
    if (err == ENOENT) return {false, QCoreApplication::translate("Files", "Файл не найден")};
    return SystemFailure(QString(), err);
}

}  // namespace

FileResult RegularFile::open(const QString& path) {
    fd_.reset();
    size_ = 0;
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty()) return OpenFailure(ENOENT);
    struct stat st;
    if (::stat(name.constData(), &st) != 0) return OpenFailure(errno);
    if (!S_ISREG(st.st_mode)) return {false, NotRegularText(st.st_mode)};

    const int fd =
        Retried([&] { return ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC); });
    if (fd < 0) return OpenFailure(errno);
    fd_.reset(fd);
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        fd_.reset();
        return SystemFailure(QCoreApplication::translate("Files", "Ошибка чтения файла: "), err);
    }
    if (!S_ISREG(st.st_mode)) {
        fd_.reset();
        return {false, NotRegularText(st.st_mode)};
    }
    size_ = st.st_size;
    return Succeeded();
}

qint64 RegularFile::read(qint64 offset, char* data, qint64 count) {
    const qint64 got = ReadAt(fd_.get(), offset, data, count);
    if (got < 0) readErrno_ = errno;
    return got;
}

QString RegularFile::readError() const {
    return QCoreApplication::translate("Files", "Ошибка чтения файла: ") + SystemErrorText(readErrno_);
}

FileResult RegularFile::readAll(QByteArray& bytes, qint64 limit) {
    bytes.resize(qsizetype(std::min(size_, limit)));
    const qint64 got = read(0, bytes.data(), bytes.size());
    if (got < 0) {
        bytes.clear();
        return {false, readError()};
    }
    bytes.truncate(qsizetype(got));
    return Succeeded();
}

}  // namespace lp
