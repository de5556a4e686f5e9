#include "app/ilda_cli.h"

#include <QCoreApplication>
#include <QTextStream>

#include "figure/ilda.h"
#include "figure/kvtfile.h"

namespace {

const QString kExport = QStringLiteral("--export-ilda");
const QString kImport = QStringLiteral("--import-ilda");
const QString kFrame = QStringLiteral("--frame");

int Fail(const QString& message) {
    QString line = message;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    QTextStream(stderr) << "laserpic: " << line << Qt::endl;
    return 1;
}

QString On(const QString& path, const QString& reason) {
    return path + QStringLiteral(": ") + reason;
}

int ExportPicture(const QString& in, const QString& out) {
    lp::PictureBytes buffer;
    buffer.fill(0x7F);
    const lp::FileResult read = lp::ReadPictureFile(in, buffer);
    if (!read) return Fail(On(in, read.error));
    lp::Coords X, Y;
    lp::ImageToFigure(buffer, X, Y);
    const lp::FileResult written = lp::ExportIldaFile(out, X, Y, lp::PictureNameFor(in));
    return written ? 0 : Fail(On(out, written.error));
}

int ImportFrame(const QString& in, const QString& out, int frame) {
    lp::Coords X, Y;
    const lp::FileResult read = lp::ImportIldaFile(
        in, [frame](const QList<lp::IldaFrameInfo>&) { return frame - 1; }, X, Y);
    if (!read) return Fail(On(in, read.error));
    // A new picture file: the bytes the editor does not use hold 0x7F.
    lp::PictureBytes buffer;
    buffer.fill(0x7F);
    lp::FigureToImage(X, Y, buffer);
    const lp::FileResult written = lp::WritePictureFile(out, buffer);
    return written ? 0 : Fail(On(out, written.error));
}

}  // namespace

int RunIldaCommand(const QStringList& args) {
    const QStringList rest = args.mid(1);
    if (!rest.contains(kExport) && !rest.contains(kImport)) return -1;

    QString mode;
    QStringList paths;
    int frame = 1;
    bool frameGiven = false;
    for (qsizetype i = 0; i < rest.size(); ++i) {
        const QString& arg = rest[i];
        if (arg == kExport || arg == kImport) {
            if (!mode.isEmpty())
                return Fail(QCoreApplication::translate("CommandLine", "одно преобразование за раз"));
            mode = arg;
        } else if (arg == kFrame) {
            bool ok = false;
            frame = i + 1 < rest.size() ? rest[++i].toInt(&ok) : 0;
            if (!ok || frame < 1)
                return Fail(QCoreApplication::translate("CommandLine",
                                                        "после --frame нужен номер кадра, начиная с 1"));
            frameGiven = true;
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return Fail(QCoreApplication::translate("CommandLine", "неизвестный параметр ") + arg);
        } else {
            paths.append(arg);
        }
    }
    if (mode == kExport && (paths.size() != 2 || frameGiven))
        return Fail(
            QCoreApplication::translate("CommandLine", "ожидается: --export-ilda КАРТИНКА.kvt ВЫХОД.ild"));
    if (mode == kImport && paths.size() != 2)
        return Fail(QCoreApplication::translate("CommandLine",
                                                "ожидается: --import-ilda ВХОД.ild ВЫХОД.kvt [--frame N]"));
    return mode == kExport ? ExportPicture(paths[0], paths[1]) : ImportFrame(paths[0], paths[1], frame);
}

QString IldaHelpText() {
    return QCoreApplication::translate(
        "CommandLine",
        "  --export-ilda КАРТИНКА.kvt ВЫХОД.ild\n"
        "                          Записать картинку файлом ILDA: одним замкнутым кадром из 256 точек.\n"
        "  --import-ilda ВХОД.ild ВЫХОД.kvt [--frame N]\n"
        "                          Записать кадр N файла ILDA (счёт с 1, по умолчанию первый)\n"
        "                          картинкой из 256 точек.\n");
}
