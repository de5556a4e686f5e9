// ILDA interchange from the main window: import a frame of an ILDA file as the
// figure (undoable like any other edit) and export the figure as an ILDA file.
// A failure is reported with the file's path and the reason; the figure, the
// file on disk and the unsaved-changes flag stay as they were.
#include <QDir>
#include <QFileInfo>

#include "app/baseform.h"
#include "figure/ilda.h"
#include "ui_baseform.h"

namespace {

QString Failure(const QString& what, const QString& path, const QString& reason) {
    return what + QLatin1Char('\n') + QDir::toNativeSeparators(path) + QLatin1Char('\n') + reason;
}

}  // namespace

void TBaseForm::connectIldaHandlers() {
    OpenDialogIlda.title = QStringLiteral("Импорт кадра ILDA");
    OpenDialogIlda.filter = QStringLiteral("Кадры ILDA (*.ild *.ILD)");  // older files are named in capitals
    OpenDialogIlda.defaultSuffix = QStringLiteral("ild");
    SaveDialogIlda = OpenDialogIlda;
    SaveDialogIlda.title = QStringLiteral("Экспорт в ILDA");
    connect(ui->SpeedButtonImportIlda, &QAbstractButton::clicked, this,
            &TBaseForm::SpeedButtonImportIldaClick);
    connect(ui->SpeedButtonExportIlda, &QAbstractButton::clicked, this,
            &TBaseForm::SpeedButtonExportIldaClick);
}

void TBaseForm::SpeedButtonImportIldaClick() {
    if (!dialogs().openFile(this, OpenDialogIlda)) return;
    const QString path = OpenDialogIlda.fileName;
    auto fail = [&](const QString& reason) {
        dialogs().message(this, QMessageBox::Critical,
                          Failure(QStringLiteral("Не удалось импортировать кадр ILDA"), path, reason),
                          QMessageBox::Ok);
    };
    lp::IldaFile file;
    const lp::FileResult opened = file.open(path);
    if (!opened) return fail(opened.error);
    const lp::IldaScan scan = lp::ScanIlda(file);
    if (!scan.result) return fail(scan.result.error);
    int index = 0;
    if (scan.frames.size() > 1) {
        index = dialogs().chooseIldaFrame(this, scan.frames);
        if (index < 0 || index >= scan.frames.size()) return;
    }
    lp::Coords X, Y;
    const lp::FileResult read = lp::ImportIldaFrame(file, scan.frames[index], X, Y);
    if (!read) return fail(read.error);
    ToUndo();
    FigureX = X;
    FigureY = Y;
    FullReturn(1);
}

void TBaseForm::SpeedButtonExportIldaClick() {
    // Offered beside the picture's own file, under its name.
    const QFileInfo picture(SaveDialogPic.fileName);
    const QString name = picture.completeBaseName() + QStringLiteral(".ild");
    SaveDialogIlda.fileName =
        SaveDialogPic.fileName.contains(QLatin1Char('/')) ? picture.dir().filePath(name) : name;
    if (!dialogs().saveFile(this, SaveDialogIlda)) return;
    const QString path = SaveDialogIlda.fileName;
    auto fail = [&](const QString& reason) {
        dialogs().message(this, QMessageBox::Critical,
                          Failure(QStringLiteral("Не удалось экспортировать в ILDA"), path, reason),
                          QMessageBox::Ok);
    };
    // A folder, pipe or device is refused before anything is asked.
    if (const lp::FileResult target = lp::CheckSaveTarget(path); !target) return fail(target.error);
    if (QFileInfo::exists(path) &&
        dialogs().message(this, QMessageBox::Warning,
                          QStringLiteral("Файл с таким именем существует, переписать?"),
                          QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    const lp::FileResult written = lp::WriteIldaFile(path, lp::ExportIlda(FigureX, FigureY, PictureName));
    if (!written) fail(written.error);
}
