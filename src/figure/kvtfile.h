// The laser picture file: exactly 2048 bytes, no header. X of point i is at
// offset i, Y at offset 1024 + i; the other 1536 bytes are carried along
// untouched. The file image lives in bytes 0..2047 of PictureBuffer.
#pragma once

#include <QString>

#include "figure/figuredata.h"
#include "files/fileresult.h"

namespace lp {

// Reads the first 2048 bytes of the file into buffer[0..2047]. Only a regular
// file is read: pipes, devices, sockets and folders are refused without
// blocking and without being read. The file is opened read-only; bytes after
// 2048 are ignored. A shorter file is refused. On failure the buffer is left
// as it was.
FileResult ReadPictureFile(const QString& path, PictureBytes& buffer);

// Writes buffer[0..2047] as the whole file, safely, as ReplaceFile
// (files/replacefile.h) writes: hard links, symbolic links, owner and
// permissions kept; on failure the previous content stays.
FileResult WritePictureFile(const QString& path, const PictureBytes& buffer);

// The figure into the two coordinate blocks of the file image and back.
void FigureToImage(const Coords& X, const Coords& Y, PictureBytes& buffer);
void ImageToFigure(const PictureBytes& buffer, Coords& X, Coords& Y);

// The picture's short name for a path: the file name without its last
// extension when a file exists there, otherwise " NoName ".
QString PictureNameFor(const QString& path);

}  // namespace lp
