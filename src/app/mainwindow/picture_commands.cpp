#include "app/mainwindow/picture_commands.h"

#include <QCheckBox>
#include <QDir>
#include <QScrollBar>
#include <memory>

#include "picture/picturefile.h"
#include "picture/picturefilter.h"
#include "ui_baseform.h"
#include "widgets/waitwork.h"

namespace lp {

PictureCommands::PictureCommands(TBaseForm& form) : WindowPart(form) {
    form_.OpenPictureDialog.title = TBaseForm::tr("Открыть картинку-подложку");
    form_.OpenPictureDialog.filter = lp::PictureDialogFilter();
    form_.OpenPictureDialog.preview = true;

    onClicked({{ui->SpeedButtonLoadPicture, &TBaseForm::SpeedButtonLoadPictureClick},
               {ui->SpeedButtonPicVisible, &TBaseForm::SpeedButtonPicVisibleClick}});
    onChanged({{ui->ScrollBarRazmX, &TBaseForm::ScrollBarRazmXChange},
               {ui->ScrollBarRazmY, &TBaseForm::ScrollBarRazmYChange}});
    QObject::connect(ui->CheckBoxTogez, &QCheckBox::toggled, &form_, &TBaseForm::CheckBoxTogezClick);
}

void PictureCommands::SpeedButtonLoadPictureClick() {
    // 1. The dialog; a cancel changes nothing.
    if (!lp::dialogs().openFile(&form_, form_.OpenPictureDialog)) return;
    const QString path = form_.OpenPictureDialog.fileName;

    // 2. Creation off, the second half and its mirrors off; no handlers run.
    editor_.setHalf128(false);
    ui->SpeedButtonOffMade->SetDown(true);
    editor_.setMirrors(false, false);

    // 3. Read and decode in a child process, waited for off the window's
    //    thread: a slow disk or a large picture must not freeze the window.
    //    Stopping the wait kills the child. On failure everything else stays.
    auto loaded = std::make_shared<lp::PictureResult>();
    if (lp::WaitForWork(&form_, TBaseForm::tr("Загрузка картинки…"), [loaded, path](std::stop_token stop) {
            *loaded = lp::LoadPicture(path, stop);
        }) != lp::WaitOutcome::Done)
        return;
    if (!*loaded) {
        lp::dialogs().message(&form_, QMessageBox::Critical,
                              TBaseForm::tr("Не удалось загрузить картинку-подложку\n") +
                                  QDir::toNativeSeparators(path) + QLatin1Char('\n') + loaded->error,
                              QMessageBox::Ok);
        return;
    }
    ui->ImageDraw->setPicture(loaded->image);

    // 4.-7. Shown, the grid off, named in the caption and as the picture's name.
    ui->ImageDraw->show();
    ui->SpeedButtonPicVisible->SetDown(true);
    ui->SpeedButtonWeb->SetDown(false);
    editor_.setPictureFile(path);
    form_.FullReturn(1);
    form_.ToNameTx(path);
}

void PictureCommands::SpeedButtonPicVisibleClick() {
    ui->ImageDraw->setVisible(ui->SpeedButtonPicVisible->Down());
    form_.FullReturn(1);
}

// The picture is centred one pixel left of and six below the field's centre.
void PictureCommands::ScrollBarRazmXChange() {
    const int s = ui->ScrollBarRazmX->value();
    QRect bounds = ui->ImageDraw->geometry();
    bounds.moveLeft((512 - s) / 2 + 7);
    bounds.setWidth(s);
    if (ui->CheckBoxTogez->isChecked()) {
        bounds.moveTop((512 - s) / 2 + 30);
        bounds.setHeight(s);
    }
    ui->ImageDraw->setGeometry(bounds);
    if (ui->CheckBoxTogez->isChecked()) ui->ScrollBarRazmY->setValue(s);
}

void PictureCommands::ScrollBarRazmYChange() {
    const int t = ui->ScrollBarRazmY->value();
    QRect bounds = ui->ImageDraw->geometry();
    bounds.moveTop((512 - t) / 2 + 30);
    bounds.setHeight(t);
    ui->ImageDraw->setGeometry(bounds);
}

// Linking the sizes resizes nothing; the next move of a bar does.
void PictureCommands::CheckBoxTogezClick() {
    ui->ScrollBarRazmY->setVisible(!ui->CheckBoxTogez->isChecked());
}

}  // namespace lp

// The window's handlers, passed on.
void TBaseForm::SpeedButtonLoadPictureClick() {
    picture_->SpeedButtonLoadPictureClick();
}

void TBaseForm::SpeedButtonPicVisibleClick() {
    picture_->SpeedButtonPicVisibleClick();
}

void TBaseForm::ScrollBarRazmXChange() {
    picture_->ScrollBarRazmXChange();
}

void TBaseForm::ScrollBarRazmYChange() {
    picture_->ScrollBarRazmYChange();
}

void TBaseForm::CheckBoxTogezClick() {
    picture_->CheckBoxTogezClick();
}
