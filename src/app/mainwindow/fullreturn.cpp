#include "app/baseform.h"
#include "app/recovery.h"
#include "ui_baseform.h"

lp::RenderOptions TBaseForm::renderOptions() const {
    lp::RenderOptions options;
    options.grid = ui->SpeedButtonWeb->Down();
    options.half128 = editor_.half128();
    options.hotPoint = ui->CheckBoxHotPoint->isChecked();
    options.hotColour = ui->CheckBoxHotCol->isChecked();
    return options;
}

void TBaseForm::FullReturn(int clear) {
    const QString& file = editor_.fileName();
    const QString& picture = editor_.pictureFile();
    setWindowTitle(
        EditorTitle +
        (file.isEmpty() ? tr(" [no FileLaser] ") : QStringLiteral(" [") + file + QStringLiteral("]")) +
        (picture.isEmpty() ? tr(" [no Picture] ") : QStringLiteral(" [") + picture + QStringLiteral("] ")));
    if (recovery_) recovery_->noteChange();  // every change is redrawn
    const lp::RenderTargets targets{&fieldUnder, &ui->PaintBoxDraw->image(), &ui->PaintBoxView->image()};
    lp::RenderOptions options = renderOptions();
    if (shownInstead_) options.half128 = false;  // a traced contour is shown whole
    lp::RenderFigure(shownInstead_ ? *shownInstead_ : editor_.data(), options, jitter, targets, clear != 0);
    // The layer beneath holds nothing but the grid.
    gridLayerShown_ = options.grid || (!clear && gridLayerShown_);
    if (paintDepth_ > 0) return;  // already inside the paint pass that shows them
    // The field's rectangle on the window covers the grid layer and the paint box above it.
    update(ui->PaintBoxDraw->geometry());
    ui->PaintBoxView->update();
}
