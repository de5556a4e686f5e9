#include "files/descriptor.h"

#include <unistd.h>

#include <cerrno>
#include <utility>

namespace lp {

void Descriptor::reset(int fd) {
    if (fd_ >= 0 && fd_ != fd) ::close(fd_);
    fd_ = fd;
}

bool Descriptor::close() {
    return ::close(std::exchange(fd_, -1)) == 0;
}

qint64 ReadAt(int fd, qint64 offset, char* data, qint64 count) {
    qint64 got = 0;
    while (got < count) {
        const ssize_t n =
            Retried([&] { return ::pread(fd, data + got, size_t(count - got), off_t(offset + got)); });
        if (n < 0) return -1;
        if (n == 0) break;
        got += n;
    }
    return got;
}

namespace {

// Writes count bytes through `write(data, size, done)`, going on after partial writes.
template <typename Write>
qint64 WriteLoop(qint64 count, Write write) {
    qint64 done = 0;
    while (done < count) {
        const ssize_t n = Retried([&] { return write(done); });
        if (n < 0) break;
        if (n == 0) {
            errno = EIO;
            break;
        }
        done += n;
    }
    return done;
}

}  // namespace

qint64 WriteAt(int fd, qint64 offset, const char* data, qint64 count) {
    return WriteLoop(count, [&](qint64 done) {
        return ::pwrite(fd, data + done, size_t(count - done), off_t(offset + done));
    });
}

qint64 WriteAll(int fd, const char* data, qint64 count) {
    return WriteLoop(count, [&](qint64 done) { return ::write(fd, data + done, size_t(count - done)); });
}

}  // namespace lp
