// The figure's reset and its single level of undo. The undo button's enabled
// state is the unsaved-changes flag.

#include "app/baseform.h"
#include "ui_baseform.h"

void TBaseForm::ClearPicture() {
    FigureX.fill(127);
    FigureY.fill(127);
    data.PictureBuffer.fill(0x7F);
    ToUndo();
    FullReturn(1);
}

void TBaseForm::ToUndo() {
    data.UndoX = FigureX;
    data.UndoY = FigureY;
    ui->SpeedButtonUndo->setEnabled(true);
}

void TBaseForm::FromUndo() {
    FigureX = data.UndoX;
    FigureY = data.UndoY;
    ui->SpeedButtonUndo->setEnabled(false);
    FullReturn(1);
}

void TBaseForm::SpeedButtonUndoClick() {
    FromUndo();
}

bool TBaseForm::UndoEnabled() const {
    return ui->SpeedButtonUndo->isEnabled();
}
