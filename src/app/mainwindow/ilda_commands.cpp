#include "app/mainwindow/ilda_commands.h"

#include <QDir>
#include <QFileInfo>

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

namespace lp {

IldaCommands::IldaCommands(TBaseForm& form) : WindowPart(form) {
    form_.OpenDialogIlda.title = TBaseForm::tr("Импорт кадра ILDA");
    form_.OpenDialogIlda.filter =
        TBaseForm::tr("Кадры ILDA (*.ild *.ILD)");  // older files are named in capitals
    form_.OpenDialogIlda.defaultSuffix = QStringLiteral("ild");
    form_.SaveDialogIlda = form_.OpenDialogIlda;
    form_.SaveDialogIlda.title = TBaseForm::tr("Экспорт в ILDA");
    onClicked({{ui->SpeedButtonImportIlda, &TBaseForm::SpeedButtonImportIldaClick},
               {ui->SpeedButtonExportIlda, &TBaseForm::SpeedButtonExportIldaClick}});
}

void IldaCommands::SpeedButtonImportIldaClick() {
    if (!lp::dialogs().openFile(&form_, form_.OpenDialogIlda)) return;
    const QString path = form_.OpenDialogIlda.fileName;
    // The list is offered only when there is a choice.
    auto choose = [this](const QList<lp::IldaFrameInfo>& frames) {
        return frames.size() > 1 ? lp::dialogs().chooseIldaFrame(&form_, frames) : 0;
    };
    lp::Coords X, Y;
    const lp::FileResult read = lp::ImportIldaFile(path, choose, X, Y);
    if (!read) {
        if (!read.error.isEmpty()) lp::ShowFileFailure(&form_, ImportFailed(), path, read.error);
        return;
    }
    editor_.replaceFigure(X, Y);
    form_.FullReturn(1);
}

void IldaCommands::SpeedButtonExportIldaClick() {
    // Offered beside the picture's own file, under its name.
    const QFileInfo picture(form_.SaveDialogPic.fileName);
    const QString name = picture.completeBaseName() + QStringLiteral(".ild");
    form_.SaveDialogIlda.fileName =
        form_.SaveDialogPic.fileName.contains(QLatin1Char('/')) ? picture.dir().filePath(name) : name;
    if (!lp::dialogs().saveFile(&form_, form_.SaveDialogIlda)) return;
    const QString path = form_.SaveDialogIlda.fileName;
    // Written as a picture file is: refused targets before the question.
    if (lp::AskSaveTarget(&form_, path, ExportFailed()) != lp::SaveTarget::Accepted) return;
    const lp::FileResult written =
        lp::ExportIldaFile(path, editor_.FigureX(), editor_.FigureY(), editor_.PictureName());
    if (!written) lp::ShowFileFailure(&form_, ExportFailed(), path, written.error);
}

}  // namespace lp

// The window's handlers, passed on.
void TBaseForm::SpeedButtonImportIldaClick() {
    ilda_->SpeedButtonImportIldaClick();
}

void TBaseForm::SpeedButtonExportIldaClick() {
    ilda_->SpeedButtonExportIldaClick();
}
