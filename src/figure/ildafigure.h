// Between the editor's field and ILDA frames: a frame's path placed as the
// 256 points of a figure, and the whole-file import and export steps.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "figure/figuredata.h"
#include "figure/ilda.h"
#include "files/fileresult.h"

namespace lp {

// A frame's path as the 256-point figure. A repeated closing point is dropped;
// a path of exactly 256 points keeps them, any other gets 256 points placed
// along it as a closed path: its corners kept, the steps near even, no two
// consecutive points on one unit.
void IldaToFigure(const std::vector<IldaPoint>& points, Coords& X, Coords& Y);

// Reads a listed frame of the source as the figure.
FileResult ImportIldaFrame(IldaSource& source, const IldaFrameInfo& frame, Coords& X, Coords& Y);

// Whole-file steps shared by the window and the command line.
// Opens and scans the file, lets `choose` pick one of its frames (an index
// into the list; -1 stops) and reads that frame as the figure. A stop gives a
// failure without a reason; the figure changes only on success.
using IldaFrameChooser = std::function<int(const QList<IldaFrameInfo>& frames)>;
FileResult ImportIldaFile(const QString& path, const IldaFrameChooser& choose, Coords& X, Coords& Y);
// Writes the figure as an ILDA file the way a picture file is written
// (ReplaceFile): a folder, pipe, device or socket at the path is refused and
// left as it is, and a failure leaves the previous file.
FileResult ExportIldaFile(const QString& path, const Coords& X, const Coords& Y, const QString& name);

}  // namespace lp
