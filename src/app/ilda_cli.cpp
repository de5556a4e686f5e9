#include "app/ilda_cli.h"

#include "app/command.h"
#include "figure/ilda.h"
#include "figure/ildafigure.h"
#include "figure/kvtfile.h"

namespace lp {

namespace {

int Failed(const QString& path, const QString& reason) {
    return CommandFailed(path + QStringLiteral(": ") + reason);
}

}  // namespace

int RunIldaExport(const CommandLine& command) {
    const QString& in = command.paths[0];
    const QString& out = command.paths[1];
    lp::PictureBytes buffer;
    buffer.fill(0x7F);
    const lp::FileResult read = lp::ReadPictureFile(in, buffer);
    if (!read) return Failed(in, read.error);
    lp::Coords X, Y;
    lp::ImageToFigure(buffer, X, Y);
    const lp::FileResult written = lp::ExportIldaFile(out, X, Y, lp::PictureNameFor(in));
    return written ? 0 : Failed(out, written.error);
}

int RunIldaImport(const CommandLine& command) {
    const QString& in = command.paths[0];
    const QString& out = command.paths[1];
    const int frame = command.number(QStringLiteral("frame")).value_or(1);
    lp::Coords X, Y;
    const lp::FileResult read = lp::ImportIldaFile(
        in, [frame](const QList<lp::IldaFrameInfo>&) { return frame - 1; }, X, Y);
    if (!read) return Failed(in, read.error);
    // A new picture file: the bytes the editor does not use hold 0x7F.
    lp::PictureBytes buffer;
    buffer.fill(0x7F);
    lp::FigureToImage(X, Y, buffer);
    const lp::FileResult written = lp::WritePictureFile(out, buffer);
    return written ? 0 : Failed(out, written.error);
}

}  // namespace lp
