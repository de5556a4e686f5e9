// The one safe way the editor writes a file: picture files, ILDA files, the
// command-line conversions and the documentation page all go through it.
#pragma once

#include <QByteArrayView>
#include <QString>

#include "files/fileresult.h"

namespace lp {

// Whether a file may be written at the path: nothing there yet (a dangling
// link is created at its target) or a regular file, symbolic links followed.
// A folder, pipe, device, socket or a loop of links is refused.
FileResult CheckSaveTarget(const QString& path);

// Writes the bytes as the whole content of the file at the path. Targets that
// CheckSaveTarget refuses are never written, nor is a file protected against
// writing. A symbolic link keeps pointing at the file it names, which keeps
// its permissions.
//
// The bytes go to a temporary file beside the target, synced to disk, which
// then replaces the target. The file is instead rewritten where it stands, so
// it stays the same file, when it has other names (hard links), when the
// replacement could not be given the owner of a file that belongs to someone
// else, and when the folder may not be written but the file may. After a
// failure the previous content is there (a failed rewrite puts it back and
// says whether that worked) and no temporary file is left.
FileResult ReplaceFile(const QString& path, QByteArrayView bytes);

// Removes the file at the path (a symbolic link itself, not what it names);
// nothing there counts as done.
FileResult RemoveFile(const QString& path);

// Gives the file at `from` the name `to` in one step, replacing what stood
// there: a reader sees the one or the other, never half of either.
FileResult RenameFile(const QString& from, const QString& to);

}  // namespace lp
