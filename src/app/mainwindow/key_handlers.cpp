// The keyboard's edits on the main window: the core moves the figure, the
// handlers turn undo on, show the point and redraw.
#include "app/baseform.h"
#include "ui_baseform.h"

void TBaseForm::MoveByKey(int dx, int dy) {
    const lp::KeyMove move = editor_.moveByKey(dx, dy);
    if (move == lp::KeyMove::None) return;
    const lp::EditorState& state = editor_.state();
    if (move == lp::KeyMove::Started && !state.AreaMode) ui->SpeedButtonOffMade->SetDown(true);
    if (!state.AreaMode) ShowKeyPoint(state.CurrentPoint);
    // Redrawn as a drag step is: second half, change-detection copy, full redraw.
    MadeHalf();
    editor_.takeLastCopy();
    FullReturn(1);
    editor_.noteMoveDone();
}

void TBaseForm::StepByKey(int step) {
    lp::EditorState& state = editor_.state();
    state.CurrentPoint = editor_.stepPoint(step);
    ui->SpeedButtonOffMade->SetDown(true);
    state.MakeMode = lp::MakeNone;
    ShowKeyPoint(state.CurrentPoint);
    FullReturn(1);
}

// The labels a drag shows: the point's position and its number.
void TBaseForm::ShowKeyPoint(int c) {
    ui->LabelPosX->setCaption(QStringLiteral("X = ") + QString::number(editor_.FigureX()[c]));
    ui->LabelPosY->setCaption(QStringLiteral("Y = ") + QString::number(255 - editor_.FigureY()[c]));
    ui->LabelInsdel->setCaption(QString::number(c + 1));
}
