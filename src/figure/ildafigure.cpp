// Between the editor's field and ILDA frames: a frame's path placed as the
// 256 points of a figure, and the whole-file import and export steps.
#include "figure/ildafigure.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

#include "figure/pointplacement.h"
#include "files/replacefile.h"

namespace lp {

void IldaToFigure(const std::vector<IldaPoint>& points, Coords& X, Coords& Y) {
    size_t n = points.size();
    if (n == 0) {
        X.fill(127);
        Y.fill(127);
        return;
    }
    auto same = [](const IldaPoint& a, const IldaPoint& b) { return a.x == b.x && a.y == b.y; };
    if (n > 1 && same(points[n - 1], points[0])) --n;
    if (n == kPointCount) {
        for (int i = 0; i < kPointCount; ++i) {
            X[i] = XFromIlda(points[i].x);
            Y[i] = YFromIlda(points[i].y);
        }
        return;
    }
    // Any other path: 256 points along it in field units, its corners kept.
    Polyline path(n);
    for (size_t i = 0; i < n; ++i) path[i].p = QPointF(127 + points[i].x / 256.0, 127 - points[i].y / 256.0);
    PathToFigure(std::move(path), X, Y);
}

FileResult ImportIldaFrame(IldaSource& source, const IldaFrameInfo& frame, Coords& X, Coords& Y) {
    std::vector<IldaPoint> points;
    const FileResult read = ReadIldaPoints(source, frame, points);
    if (!read) return read;
    IldaToFigure(points, X, Y);
    return read;
}

FileResult ImportIldaFile(const QString& path, const IldaFrameChooser& choose, Coords& X, Coords& Y) {
    IldaFile file;
    if (const FileResult opened = file.open(path); !opened) return opened;
    const IldaScan scan = ScanIlda(file);
    if (!scan.result) return scan.result;
    const int index = choose(scan.frames);
    if (index < 0) return {false, QString()};
    if (index >= scan.frames.size())
        return {false, QCoreApplication::translate("Ilda", "нет кадра %1, кадров в файле: %2")
                           .arg(index + 1)
                           .arg(scan.frames.size())};
    return ImportIldaFrame(file, scan.frames[index], X, Y);
}

FileResult ExportIldaFile(const QString& path, const Coords& X, const Coords& Y, const QString& name) {
    return ReplaceFile(path, ExportIlda(X, Y, name));
}

}  // namespace lp
