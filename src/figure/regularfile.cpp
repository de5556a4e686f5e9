#include "figure/regularfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace lp {

RegularFile::~RegularFile() {
    if (fd_ >= 0) ::close(fd_);
}

int RegularFile::release() {
    return std::exchange(fd_, -1);
}

RegularFile::Outcome RegularFile::open(const QByteArray& name) {
    struct stat st;
    if (::stat(name.constData(), &st) != 0) {
        error_ = errno;
        return LookFailed;
    }
    kind_ = st.st_mode & S_IFMT;
    if (!S_ISREG(st.st_mode)) return NotRegular;

    int fd;
    do fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        error_ = errno;
        return OpenFailed;
    }
    fd_ = fd;
    if (::fstat(fd_, &st) != 0) {
        error_ = errno;
        return OpenFailed;
    }
    kind_ = st.st_mode & S_IFMT;
    if (!S_ISREG(st.st_mode)) return NotRegular;
    size_ = st.st_size;
    return Opened;
}

}  // namespace lp
