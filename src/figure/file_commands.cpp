// Opening and saving laser picture files, the save prompt on close and the
// (disabled) auto-save. Opening never writes, a save never damages the previous
// file, and a failed write is reported with the file's path and the reason.
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include "app/baseform.h"
#include "figure/kvtfile.h"
#include "ui_baseform.h"

namespace {

const QString kNotFound = QStringLiteral("Файл не найден !");
const QString kOverwrite = QStringLiteral("Файл с таким именем существует, переписать?");
const QString kSaveChanges = QStringLiteral(" Записать последние изменения?");
const QString kAutoSaveFile = QStringLiteral("0Temp.kvt");

QString FailureText(const QString& what, const QString& path, const QString& reason) {
    return what + QLatin1Char('\n') + QDir::toNativeSeparators(path) + QLatin1Char('\n') + reason;
}

QString OpenFailure(const QString& path, const QString& reason) {
    return FailureText(QStringLiteral("Не удалось открыть файл"), path, reason);
}

QString WriteFailure(const QString& path, const QString& reason) {
    return FailureText(QStringLiteral("Не удалось записать файл"), path, reason);
}

// "If no file exists at the chosen path": anything standing there counts.
bool Exists(const QString& path) {
    return !path.isEmpty() && QFileInfo::exists(path);
}

// A folder, pipe, device or a loop of links where the picture should go is
// refused before anything is asked or written.
bool TargetRefused(QWidget* parent, const QString& path) {
    const lp::FileResult target = lp::CheckSaveTarget(path);
    if (target) return false;
    dialogs().message(parent, QMessageBox::Critical, WriteFailure(path, target.error), QMessageBox::Ok);
    return true;
}

}  // namespace

void TBaseForm::connectFileHandlers() {
    connect(ui->SpeedButtonOpenPic, &QAbstractButton::clicked, this, &TBaseForm::SpeedButtonOpenPicClick);
    connect(ui->SpeedButtonSavePic, &QAbstractButton::clicked, this, &TBaseForm::SpeedButtonSavePicClick);
    // Connected but never started: no command of the editor enables the auto-save.
    connect(TimerAvtoSave, &QTimer::timeout, this, &TBaseForm::TimerAvtoSaveTimer);
}

void TBaseForm::SpeedButtonOpenPicClick() {
    // 1. The undo copy first: the flag is set even when the user cancels.
    ToUndo();
    // 2. The dialog; a cancel goes on at step 6.
    if (!dialogs().openFile(this, OpenDialogPic)) {
        ToNameTx(OpenDialogPic.fileName);
        activateWindow();
        setFocus();
        return;
    }
    OpenChosenPicture();
}

bool TBaseForm::OpenChosenPicture() {
    const QString path = OpenDialogPic.fileName;
    bool opened = false;
    if (!Exists(path)) {
        // 3. Nothing there: say so and go on at step 6.
        dialogs().message(this, QMessageBox::Critical, kNotFound, QMessageBox::Ok);
    } else {
        // 4. Read the whole image (read-only, regular files only); on failure
        //    nothing changes and the command stops here.
        const lp::FileResult read = lp::ReadPictureFile(path, data.PictureBuffer);
        if (!read) {
            dialogs().message(this, QMessageBox::Critical, OpenFailure(path, read.error), QMessageBox::Ok);
            return false;
        }
        // 5. The opened file becomes the picture's file.
        SaveDialogPic.fileName = path;
        FileTitle = QStringLiteral(" [") + path + QStringLiteral("]");
        lp::ImageToFigure(data.PictureBuffer, FigureX, FigureY);
        FullReturn(1);
        opened = true;
    }
    // 6. The name the open dialog now holds.
    ToNameTx(path);
    // 7. The keyboard back to the main window.
    activateWindow();
    setFocus();
    return opened;
}

void TBaseForm::SpeedButtonSavePicClick() {
    // 1. The dialog; a cancel goes on at step 3.
    if (dialogs().saveFile(this, SaveDialogPic)) {
        // 2. Write, asking first when something is already there.
        const QString path = SaveDialogPic.fileName;
        if (TargetRefused(this, path)) return;  // the command stops at the failing step
        bool write = true;
        if (Exists(path))
            write = dialogs().message(this, QMessageBox::Warning, kOverwrite,
                                      QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
        if (write && !SAveToFile()) return;  // the command stops at the failing step
    }
    // 3. On every other path, cancel and No included.
    ToNameTx(SaveDialogPic.fileName);
}

bool TBaseForm::SAveToFile() {
    const QString path = SaveDialogPic.fileName;
    // 1. The figure into the file image.
    lp::FigureToImage(FigureX, FigureY, data.PictureBuffer);
    // 2. The whole image through a temporary file; the previous file stays as
    //    it was unless everything was written.
    const lp::FileResult written = lp::WritePictureFile(path, data.PictureBuffer);
    if (!written) {
        // Caption, name and the unsaved-changes flag stay as they were.
        dialogs().message(this, QMessageBox::Critical, WriteFailure(path, written.error), QMessageBox::Ok);
        return false;
    }
    // 3.-5. No redraw: the caption shows the new FileTitle at the next FullReturn.
    FileTitle = QStringLiteral(" [") + path + QStringLiteral("]");
    ui->SpeedButtonUndo->setEnabled(false);
    ToNameTx(path);
    return true;
}

void TBaseForm::ToNameTx(const QString& path) {
    PictureName = lp::PictureNameFor(path);
}

void TBaseForm::TimerAvtoSaveTimer() {
    // The file image as it stands: the figure is not copied in first.
    const lp::FileResult written = lp::WritePictureFile(kAutoSaveFile, data.PictureBuffer);
    if (written) return;
    // Should it ever be switched on, a failure must not pile up boxes while
    // the first one is still shown.
    const bool running = TimerAvtoSave->isActive();
    TimerAvtoSave->stop();
    dialogs().message(this, QMessageBox::Critical,
                      WriteFailure(QDir::current().absoluteFilePath(kAutoSaveFile), written.error),
                      QMessageBox::Ok);
    if (running) TimerAvtoSave->start();
}

bool TBaseForm::FormClose() {
    // 1. Nothing unsaved: close.
    if (!ui->SpeedButtonUndo->isEnabled()) return true;
    // 2. Ask; No closes.
    if (dialogs().message(this, QMessageBox::Warning, kSaveChanges, QMessageBox::Yes | QMessageBox::No) !=
        QMessageBox::Yes)
        return true;
    // 3. The save dialog; a cancel closes without writing.
    if (!dialogs().saveFile(this, SaveDialogPic)) return true;
    // 4.-5. Write, asking first when something is already there; No closes
    //       without writing. No ToNameTx of its own (SAveToFile runs it).
    //       A refused target keeps the window open, as a failed write does.
    if (TargetRefused(this, SaveDialogPic.fileName)) return false;
    if (Exists(SaveDialogPic.fileName) &&
        dialogs().message(this, QMessageBox::Warning, kOverwrite, QMessageBox::Yes | QMessageBox::No) !=
            QMessageBox::Yes)
        return true;
    // A failed write has been reported by SAveToFile: the window stays open
    // with the figure, the undo copy and the unsaved-changes flag intact.
    return SAveToFile();
}
