// The background tracing picture: loading it under the editing field, showing
// and hiding it, and its size and place from the options panel.
#include <QCheckBox>
#include <QDir>
#include <QScrollBar>
#include <memory>

#include "app/baseform.h"
#include "picture/picturefile.h"
#include "picture/picturefilter.h"
#include "ui_baseform.h"
#include "widgets/waitwork.h"

void TBaseForm::connectPictureHandlers() {
    OpenPictureDialog.title = tr("Открыть картинку-подложку");
    OpenPictureDialog.filter = lp::PictureDialogFilter();
    OpenPictureDialog.preview = true;

    connect(ui->SpeedButtonLoadPicture, &QAbstractButton::clicked, this,
            &TBaseForm::SpeedButtonLoadPictureClick);
    connect(ui->SpeedButtonPicVisible, &QAbstractButton::clicked, this,
            &TBaseForm::SpeedButtonPicVisibleClick);
    connect(ui->ScrollBarRazmX, &QAbstractSlider::valueChanged, this, &TBaseForm::ScrollBarRazmXChange);
    connect(ui->ScrollBarRazmY, &QAbstractSlider::valueChanged, this, &TBaseForm::ScrollBarRazmYChange);
    connect(ui->CheckBoxTogez, &QCheckBox::toggled, this, &TBaseForm::CheckBoxTogezClick);
}

void TBaseForm::SpeedButtonLoadPictureClick() {
    // 1. The dialog; a cancel changes nothing.
    if (!lp::dialogs().openFile(this, OpenPictureDialog)) return;
    const QString path = OpenPictureDialog.fileName;

    // 2. Creation off, the second half and its mirrors off; no handlers run.
    editor_.setHalf128(false);
    ui->SpeedButtonOffMade->SetDown(true);
    editor_.setMirrors(false, false);

    // 3. Read and decode in a child process, waited for off the window's
    //    thread: a slow disk or a large picture must not freeze the window.
    //    Stopping the wait kills the child. On failure everything else stays.
    auto loaded = std::make_shared<lp::PictureResult>();
    if (lp::WaitForWork(this, tr("Загрузка картинки…"), [loaded, path](std::stop_token stop) {
            *loaded = lp::LoadPicture(path, stop);
        }) != lp::WaitOutcome::Done)
        return;
    if (!*loaded) {
        lp::dialogs().message(this, QMessageBox::Critical,
                              tr("Не удалось загрузить картинку-подложку\n") +
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
    FullReturn(1);
    ToNameTx(path);
}

void TBaseForm::SpeedButtonPicVisibleClick() {
    ui->ImageDraw->setVisible(ui->SpeedButtonPicVisible->Down());
    FullReturn(1);
}

// The picture is centred one pixel left of and six below the field's centre.
void TBaseForm::ScrollBarRazmXChange() {
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

void TBaseForm::ScrollBarRazmYChange() {
    const int t = ui->ScrollBarRazmY->value();
    QRect bounds = ui->ImageDraw->geometry();
    bounds.moveTop((512 - t) / 2 + 30);
    bounds.setHeight(t);
    ui->ImageDraw->setGeometry(bounds);
}

// Linking the sizes resizes nothing; the next move of a bar does.
void TBaseForm::CheckBoxTogezClick() {
    ui->ScrollBarRazmY->setVisible(!ui->CheckBoxTogez->isChecked());
}
