// The file layer's one owner of an open file descriptor, and the read and
// write loops every file goes through. All the system calls of the editor's
// file handling stay in src/files.
#pragma once

#include <QtGlobal>
#include <cerrno>

namespace lp {

class Descriptor {
  public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { reset(); }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Holds fd from now on; the one held before is closed.
    void reset(int fd = -1);
    // Closes now; false, with the reason in errno, when a delayed write error
    // shows up here.
    bool close();

  private:
    int fd_ = -1;
};

// Runs a system call again for as long as a signal interrupts it before it
// has done anything: the one retry loop of the program's system calls.
template <typename Call>
auto Retried(Call call) {
    decltype(call()) result;
    do result = call();
    while (result < 0 && errno == EINTR);
    return result;
}

// Reads up to count bytes at offset, going on after interrupted or partial
// reads and stopping early only at the end of the file. Returns the bytes
// read, or -1 with the reason in errno.
qint64 ReadAt(int fd, qint64 offset, char* data, qint64 count);

// Writes count bytes at offset; returns how many were written, with the
// reason in errno when that is fewer.
qint64 WriteAt(int fd, qint64 offset, const char* data, qint64 count);

// For pipes: writes all count bytes in order; returns how many were written,
// with the reason in errno when that is fewer.
qint64 WriteAll(int fd, const char* data, qint64 count);

}  // namespace lp
