// Opening a file that must be a regular file, for reading, without ever
// blocking: shared by the picture file, the ILDA reader and the background
// picture reader.
#pragma once

#include <sys/types.h>

#include <QByteArray>

namespace lp {

class RegularFile {
  public:
    // Which step refused the file.
    enum Outcome { Opened, LookFailed, NotRegular, OpenFailed };

    RegularFile() = default;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;
    ~RegularFile();

    // Looks at the path first (a device may act on being opened at all), opens
    // it read-only without waiting (a pipe without a writer would hold the
    // open), then checks what was opened, in case the name changed hands.
    Outcome open(const QByteArray& name);

    int fd() const { return fd_; }
    qint64 size() const { return size_; }
    int error() const { return error_; }   // errno of a failed step
    mode_t kind() const { return kind_; }  // the file's type bits, as found
    // Hands the descriptor over to the caller, who closes it.
    int release();

  private:
    int fd_ = -1;
    qint64 size_ = 0;
    int error_ = 0;
    mode_t kind_ = 0;
};

}  // namespace lp
