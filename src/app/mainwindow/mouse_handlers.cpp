// Mouse editing on the field: picking and dragging points, area selection.
#include <QCursor>
#include <QTimer>
#include <QToolTip>

#include "app/baseform.h"
#include "edit/editcore.h"
#include "ui_baseform.h"
#include "widgets/paintbox.h"

namespace {

// Cursors of the editing field.
constexpr Qt::CursorShape kDragCursor = Qt::DragMoveCursor;
constexpr Qt::CursorShape kMoveCursor = Qt::SizeAllCursor;
constexpr Qt::CursorShape kArrowCursor = Qt::ArrowCursor;

void ShowCursor(QWidget* widget, Qt::CursorShape shape) {
    if (widget->testAttribute(Qt::WA_SetCursor) && widget->cursor().shape() == shape) return;
    widget->setCursor(shape);
}

}  // namespace

void TBaseForm::connectMouseHandlers() {
    lp::PaintBox* field = ui->PaintBoxDraw;
    connect(field, &lp::PaintBox::pressed, this,
            [this](Qt::MouseButton button, QPoint pos) { PaintBoxDrawMouseDown(button, pos.x(), pos.y()); });
    connect(field, &lp::PaintBox::moved, this,
            [this](QPoint pos) { PaintBoxDrawMouseMove(pos.x(), pos.y()); });
    connect(field, &lp::PaintBox::released, this,
            [this](Qt::MouseButton button, QPoint pos) { PaintBoxDrawMouseUp(button, pos.x(), pos.y()); });
    connect(field, &lp::PaintBox::doubleClicked, this, &TBaseForm::PaintBoxDrawDblClick);
    connect(TimerPointOff, &QTimer::timeout, this, &TBaseForm::TimerPointOffTimer);
}

void TBaseForm::PaintBoxDrawMouseDown(Qt::MouseButton button, int x, int y) {
    lp::EditorState& state = editor_.state();
    const int fx = lp::FieldFromPixel(x);
    const int fy = lp::FieldFromPixel(y);
    if (state.AreaMode) {
        if (button == Qt::LeftButton) {
            ShowCursor(ui->PaintBoxDraw, kMoveCursor);
            state.DragMode = 1;
            state.DragStartX = fx;
            state.DragStartY = fy;
            editor_.selectArea();
        } else if (button == Qt::RightButton) {
            ShowCursor(ui->PaintBoxDraw, kArrowCursor);
            state.DragMode = 2;
            state.AreaX1 = fx;
            state.AreaY1 = fy;
        }
    } else {
        if (button == Qt::RightButton) {
            ui->SpeedButtonDirect->SetDown(!ui->SpeedButtonDirect->Down());
        } else if (button == Qt::LeftButton) {
            state.DragMode = 1;
            ShowCursor(ui->PaintBoxDraw, kDragCursor);
            // The pick depends on the press position alone: a hover result left
            // from another position must not be taken for a point under the cursor.
            state.HoverPoint = lp::kNoHoverPoint;
            SearchPoint(uint8_t(fx), uint8_t(fy));
            if (state.HoverPoint >= 0 && state.HoverPoint < lp::kPointCount)
                state.CurrentPoint = state.HoverPoint;
            ui->LabelInsdel->setCaption(QString::number(state.CurrentPoint + 1));
            ui->SpeedButtonOffMade->SetDown(true);
            state.MakeMode = lp::MakeNone;
        }
    }
    // Every press, whatever the button: the undo copy holds the figure from before it.
    ToUndo();
}

void TBaseForm::PaintBoxDrawMouseMove(int x, int y) {
    lp::EditorState& state = editor_.state();
    if (state.DragMode != 1) state.HoverPoint = lp::kNoHoverPoint;
    const int fx = lp::FieldFromPixel(x);
    const int fy = lp::FieldFromPixel(y);
    ui->LabelPosY->setCaption(QStringLiteral("Y = ") + QString::number(255 - fy));
    ui->LabelPosX->setCaption(QStringLiteral("X = ") + QString::number(fx));

    bool stretching = false;
    if (state.AreaMode) {
        if (state.DragMode == 1) {
            SdvigXY(fx, fy);
            ShowCursor(ui->PaintBoxDraw, kMoveCursor);
        } else if (state.DragMode == 2) {
            state.AreaX2 = fx;
            state.AreaY2 = fy;
            ShowCursor(ui->PaintBoxDraw, kArrowCursor);
            stretching = true;
        }
    } else {
        if (state.HoverPoint == lp::kNoHoverPoint) SearchPoint(uint8_t(fx), uint8_t(fy));
        if (state.DragMode == 1 && state.HoverPoint >= 0 && state.HoverPoint < lp::kPointCount) {
            editor_.setPoint(state.HoverPoint, uint8_t(fx), uint8_t(fy));
            ShowCursor(ui->PaintBoxDraw, kDragCursor);
        }
    }

    // Redraw only when the figure differs from the last redraw's copy; the
    // second half is derived first so that the copy includes it.
    if (editor_.figureChanged()) {
        MadeHalf();
        editor_.takeLastCopy();
        FullReturn(1);
    } else if (stretching) {
        FullReturn(1);
    }
}

void TBaseForm::PaintBoxDrawMouseUp(Qt::MouseButton, int, int) {
    lp::EditorState& state = editor_.state();
    state.HoverPoint = lp::kNoHoverPoint;
    if (!state.AreaMode) ShowCursor(ui->PaintBoxDraw, kArrowCursor);
    state.DragMode = 0;
    ui->LabelPoint->setCaption(QStringLiteral(" "));
    QToolTip::hideText();
    FullReturn(1);
}

void TBaseForm::PaintBoxDrawDblClick() {
    lp::EditorState& state = editor_.state();
    state.AreaMode = !state.AreaMode;
    if (!state.AreaMode) {
        state.DragMode = 0;
        ShowCursor(ui->PaintBoxDraw, kDragCursor);
    } else {
        ShowCursor(ui->PaintBoxDraw, kMoveCursor);
    }
    FullReturn(1);
}

void TBaseForm::SearchPoint(uint8_t fx, uint8_t fy) {
    const bool direct = ui->SpeedButtonDirect->Down();
    const int found =
        lp::SearchPoint(editor_.FigureX(), editor_.FigureY(), fx, fy, editor_.half128(), direct);
    if (found < 0) return;
    editor_.state().HoverPoint = found;
    if (direct) {
        ui->LabelPoint->setCaption(QStringLiteral(" Point ") + QString::number(found + 1));
    } else {
        ui->LabelPoint->setCaption(tr("Точка %1").arg(found + 1));
        // A running timer keeps its period: the label falls back two seconds
        // after the hit that started it.
        if (!TimerPointOff->isActive()) TimerPointOff->start();
    }
}

void TBaseForm::SdvigXY(int fx, int fy) {
    editor_.shiftSelection(fx, fy);
}

void TBaseForm::TimerPointOffTimer() {
    ui->LabelPoint->setCaption(tr("Точка ?"));
    TimerPointOff->stop();
}
