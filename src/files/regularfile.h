// A file that must be a regular file, opened for reading without ever
// blocking: the picture file, ILDA files, background pictures and the
// documentation all are read through it.
#pragma once

#include <QByteArray>
#include <QString>

#include "files/descriptor.h"
#include "files/fileresult.h"

namespace lp {

class RegularFile {
  public:
    // Looks at the path first (a device may act on being opened at all),
    // opens it read-only without waiting (a pipe without a writer would hold
    // the open), then checks what was opened, in case the name changed hands.
    // A folder, pipe, device or socket is refused. A file held from an earlier
    // open is closed first.
    FileResult open(const QString& path);

    bool isOpen() const { return fd_.valid(); }
    qint64 size() const { return size_; }

    // Reads up to count bytes at offset, stopping early only at the end of the
    // file; -1 on a read error (readError() gives the reason).
    qint64 read(qint64 offset, char* data, qint64 count);
    // The file from its start, at most `limit` bytes; fewer when it shrank
    // while being read.
    FileResult readAll(QByteArray& bytes, qint64 limit);
    // Why the last read failed, for the user.
    QString readError() const;

  private:
    Descriptor fd_;
    qint64 size_ = 0;
    int readErrno_ = 0;
};

}  // namespace lp
