#include "app/mainwindow/file_commands.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include "app/recovery.h"
#include "figure/kvtfile.h"
#include "ui_baseform.h"

namespace {

QString NotFound() {
    return TBaseForm::tr("Файл не найден !");
}
QString SaveChanges() {
    return TBaseForm::tr(" Записать последние изменения?");
}
const QString kAutoSaveFile = QStringLiteral("0Temp.kvt");
QString OpenFailed() {
    return TBaseForm::tr("Не удалось открыть файл");
}
QString WriteFailed() {
    return TBaseForm::tr("Не удалось записать файл");
}

// "If no file exists at the chosen path": anything standing there counts.
bool Exists(const QString& path) {
    return !path.isEmpty() && QFileInfo::exists(path);
}

}  // namespace

namespace lp {

FileCommands::FileCommands(TBaseForm& form) : WindowPart(form) {
    onClicked({{ui->SpeedButtonOpenPic, &TBaseForm::SpeedButtonOpenPicClick},
               {ui->SpeedButtonSavePic, &TBaseForm::SpeedButtonSavePicClick}});
    // Connected but never started: no command of the editor enables the auto-save.
    QObject::connect(form_.TimerAvtoSave, &QTimer::timeout, &form_, &TBaseForm::TimerAvtoSaveTimer);
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &form_, &TBaseForm::CommitSessionData);
}

void FileCommands::SpeedButtonOpenPicClick() {
    // 1. The undo copy first: the flag is set even when the user cancels.
    form_.ToUndo();
    // 2. The dialog; a cancel goes on at step 6.
    if (!lp::dialogs().openFile(&form_, form_.OpenDialogPic)) {
        ToNameTx(form_.OpenDialogPic.fileName);
        form_.activateWindow();
        form_.setFocus();
        return;
    }
    OpenChosenPicture();
}

bool FileCommands::OpenChosenPicture() {
    const QString path = form_.OpenDialogPic.fileName;
    bool opened = false;
    if (!Exists(path)) {
        // 3. Nothing there: say so and go on at step 6.
        lp::dialogs().message(&form_, QMessageBox::Critical, NotFound(), QMessageBox::Ok);
    } else {
        // 4. Read the whole image (read-only, regular files only); on failure
        //    nothing changes and the command stops here.
        // 5. The opened file becomes the picture's file.
        const lp::FileResult read = editor_.openFile(path);
        if (!read) {
            lp::ShowFileFailure(&form_, OpenFailed(), path, read.error);
            return false;
        }
        form_.SaveDialogPic.fileName = path;
        form_.MarkSaved(path);
        form_.FullReturn(1);
        opened = true;
    }
    // 6. The name the open dialog now holds.
    ToNameTx(path);
    // 7. The keyboard back to the main window.
    form_.activateWindow();
    form_.setFocus();
    return opened;
}

void FileCommands::SpeedButtonSavePicClick() {
    // 1. The dialog; a cancel goes on at step 3.
    if (lp::dialogs().saveFile(&form_, form_.SaveDialogPic)) {
        // 2. Write, asking first when something is already there; a refused
        //    target or a failed write stops the command at the failing step.
        const lp::SaveTarget target = lp::AskSaveTarget(&form_, form_.SaveDialogPic.fileName, WriteFailed());
        if (target == lp::SaveTarget::Refused) return;
        if (target == lp::SaveTarget::Accepted && !SAveToFile()) return;
    }
    // 3. On every other path, cancel and No included.
    ToNameTx(form_.SaveDialogPic.fileName);
}

bool FileCommands::SAveToFile() {
    const QString path = form_.SaveDialogPic.fileName;
    // 1.-2. The figure into the file image, the whole image through a
    //    temporary file; the previous file stays as it was unless everything
    //    was written.
    const lp::FileResult written = editor_.saveFile(path);
    if (!written) {
        // Caption, name and the unsaved-changes flag stay as they were.
        lp::ShowFileFailure(&form_, WriteFailed(), path, written.error);
        return false;
    }
    // 3.-5. No redraw: the caption names the file at the next FullReturn.
    form_.MarkSaved(path);
    return true;
}

void FileCommands::ToNameTx(const QString& path) {
    editor_.nameFrom(path);
}

void FileCommands::TimerAvtoSaveTimer() {
    // The file image as it stands: the figure is not copied in first.
    const lp::FileResult written = lp::WritePictureFile(kAutoSaveFile, editor_.PictureBuffer());
    if (written) return;
    // Should it ever be switched on, a failure must not pile up boxes while
    // the first one is still shown.
    const bool running = form_.TimerAvtoSave->isActive();
    form_.TimerAvtoSave->stop();
    lp::ShowFileFailure(&form_, WriteFailed(), QDir::current().absoluteFilePath(kAutoSaveFile),
                        written.error);
    if (running) form_.TimerAvtoSave->start();
}

bool FileCommands::FormClose() {
    // 1. Nothing unsaved: close.
    if (!editor_.unsaved()) return true;
    // 2. Ask; No closes and throws the changes away. A box left without an
    //    answer (Escape, its close button) keeps the editor as it was.
    const auto answer = lp::dialogs().message(&form_, QMessageBox::Warning, SaveChanges(),
                                              QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::No) {
        if (form_.recovery()) form_.recovery()->discard();
        return true;
    }
    if (answer != QMessageBox::Yes) return false;
    // 3. The save dialog; a cancel keeps the editor open, nothing lost.
    if (!lp::dialogs().saveFile(&form_, form_.SaveDialogPic)) return false;
    // 4.-5. Write, asking first when something is already there; No keeps the
    //       editor open, as a refused target and a failed write do (those are
    //       reported). No ToNameTx of its own (SAveToFile runs it).
    if (lp::AskSaveTarget(&form_, form_.SaveDialogPic.fileName, WriteFailed()) != lp::SaveTarget::Accepted)
        return false;
    return SAveToFile();
}

}  // namespace lp

// The window's handlers, passed on.
void TBaseForm::SpeedButtonOpenPicClick() {
    files_->SpeedButtonOpenPicClick();
}

bool TBaseForm::OpenChosenPicture() {
    return files_->OpenChosenPicture();
}

void TBaseForm::SpeedButtonSavePicClick() {
    files_->SpeedButtonSavePicClick();
}

bool TBaseForm::SAveToFile() {
    return files_->SAveToFile();
}

void TBaseForm::ToNameTx(const QString& path) {
    files_->ToNameTx(path);
}

void TBaseForm::TimerAvtoSaveTimer() {
    files_->TimerAvtoSaveTimer();
}

bool TBaseForm::FormClose() {
    return files_->FormClose();
}
