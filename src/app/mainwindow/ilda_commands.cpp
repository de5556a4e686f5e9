// ILDA interchange from the main window: import a frame of an ILDA file as the
// figure (undoable like any other edit) and export the figure as an ILDA file.
// A failure is reported with the file's path and the reason; the figure, the
// file on disk and the unsaved-changes flag stay as they were.
#include <QDir>
#include <QFileInfo>

#include "app/baseform.h"
#include "figure/ilda.h"
#include "figure/ildafigure.h"
#include "ui_baseform.h"

namespace {

QString ImportFailed() {
    return TBaseForm::tr("Не удалось импортировать кадр ILDA");
}
QString ExportFailed() {
    return TBaseForm::tr("Не удалось экспортировать в ILDA");
}

}  // namespace

void TBaseForm::connectIldaHandlers() {
    OpenDialogIlda.title = tr("Импорт кадра ILDA");
    OpenDialogIlda.filter = tr("Кадры ILDA (*.ild *.ILD)");  // older files are named in capitals
    OpenDialogIlda.defaultSuffix = QStringLiteral("ild");
    SaveDialogIlda = OpenDialogIlda;
    SaveDialogIlda.title = tr("Экспорт в ILDA");
    connect(ui->SpeedButtonImportIlda, &QAbstractButton::clicked, this,
            &TBaseForm::SpeedButtonImportIldaClick);
    connect(ui->SpeedButtonExportIlda, &QAbstractButton::clicked, this,
            &TBaseForm::SpeedButtonExportIldaClick);
}

void TBaseForm::SpeedButtonImportIldaClick() {
    if (!lp::dialogs().openFile(this, OpenDialogIlda)) return;
    const QString path = OpenDialogIlda.fileName;
    // The list is offered only when there is a choice.
    auto choose = [this](const QList<lp::IldaFrameInfo>& frames) {
        return frames.size() > 1 ? lp::dialogs().chooseIldaFrame(this, frames) : 0;
    };
    lp::Coords X, Y;
    const lp::FileResult read = lp::ImportIldaFile(path, choose, X, Y);
    if (!read) {
        if (!read.error.isEmpty()) lp::ShowFileFailure(this, ImportFailed(), path, read.error);
        return;
    }
    editor_.replaceFigure(X, Y);
    FullReturn(1);
}

void TBaseForm::SpeedButtonExportIldaClick() {
    // Offered beside the picture's own file, under its name.
    const QFileInfo picture(SaveDialogPic.fileName);
    const QString name = picture.completeBaseName() + QStringLiteral(".ild");
    SaveDialogIlda.fileName =
        SaveDialogPic.fileName.contains(QLatin1Char('/')) ? picture.dir().filePath(name) : name;
    if (!lp::dialogs().saveFile(this, SaveDialogIlda)) return;
    const QString path = SaveDialogIlda.fileName;
    // Written as a picture file is: refused targets before the question.
    if (lp::AskSaveTarget(this, path, ExportFailed()) != lp::SaveTarget::Accepted) return;
    const lp::FileResult written =
        lp::ExportIldaFile(path, editor_.FigureX(), editor_.FigureY(), editor_.PictureName());
    if (!written) lp::ShowFileFailure(this, ExportFailed(), path, written.error);
}
