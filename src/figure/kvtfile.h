// The laser picture file: exactly 2048 bytes, no header. X of point i is at
// offset i, Y at offset 1024 + i; the other 1536 bytes are carried along
// untouched. The file image lives in bytes 0..2047 of PictureBuffer.
#pragma once

#include <QString>

#include "figure/figuredata.h"

namespace lp {

struct FileResult {
    bool ok = false;
    QString error;  // reason for the user when !ok, without the path

    explicit operator bool() const { return ok; }
};

// Reads the first 2048 bytes of the file into buffer[0..2047]. Only a regular
// file is read: pipes, devices, sockets and folders are refused without
// blocking and without being read. The file is opened read-only; bytes after
// 2048 are ignored. A shorter file is refused. On failure the buffer is left
// as it was.
FileResult ReadPictureFile(const QString& path, PictureBytes& buffer);

// Whether a picture may be written at the path: nothing there yet (a dangling
// link is created at its target) or a regular file, symbolic links followed.
// A folder, pipe, device, socket or a loop of links is refused.
FileResult CheckSaveTarget(const QString& path);

// Writes buffer[0..2047] to the file through a temporary file in the same
// folder, which replaces the target only when everything was written; a
// symbolic link keeps pointing at the file, which keeps its permissions. On
// failure the previous file is untouched. Only when the folder may not be
// written but the file may, the file is rewritten in place. Targets that
// CheckSaveTarget refuses are never written.
FileResult WritePictureFile(const QString& path, const PictureBytes& buffer);

// The figure into the two coordinate blocks of the file image and back.
void FigureToImage(const Coords& X, const Coords& Y, PictureBytes& buffer);
void ImageToFigure(const PictureBytes& buffer, Coords& X, Coords& Y);

// The picture's short name for a path: the file name without its last
// extension when a file exists there, otherwise " NoName ".
QString PictureNameFor(const QString& path);

}  // namespace lp
