// The keyboard's edits on the main window: the core moves the figure, the
// handlers turn undo on, show the point and redraw.
#include "app/baseform.h"
#include "edit/editcore.h"
#include "ui_baseform.h"

void TBaseForm::MoveByKey(int dx, int dy) {
    const lp::KeyMove move = lp::MoveByKey(data, moveRun, UndoEnabled(), dx, dy);
    if (move == lp::KeyMove::None) return;
    if (move == lp::KeyMove::Started) {
        ui->SpeedButtonUndo->setEnabled(true);
        if (!state.AreaMode) ui->SpeedButtonOffMade->SetDown(true);
    }
    if (!state.AreaMode) ShowKeyPoint(state.CurrentPoint);
    // Redrawn as a drag step is: second half, change-detection copy, full redraw.
    MadeHalf();
    lp::TakeLastCopy(data);
    FullReturn(1);
    moveRun.moved(data);
}

void TBaseForm::StepByKey(int step) {
    state.CurrentPoint = lp::StepPoint(state.CurrentPoint, step, ui->SpeedButton128->Down());
    ui->SpeedButtonOffMade->SetDown(true);
    state.MakeMode = lp::MakeNone;
    ShowKeyPoint(state.CurrentPoint);
    FullReturn(1);
}

// The labels a drag shows: the point's position and its number.
void TBaseForm::ShowKeyPoint(int c) {
    ui->LabelPosX->setCaption(QStringLiteral("X = ") + QString::number(FigureX[c]));
    ui->LabelPosY->setCaption(QStringLiteral("Y = ") + QString::number(255 - FigureY[c]));
    ui->LabelInsdel->setCaption(QString::number(c + 1));
}
