#include "app/mainwindow/mouse_editing.h"

#include <QCursor>
#include <QTimer>
#include <QToolTip>

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

namespace lp {

MouseEditing::MouseEditing(TBaseForm& form) : WindowPart(form) {
    lp::PaintBox* field = ui->PaintBoxDraw;
    QObject::connect(field, &lp::PaintBox::pressed, &form_, [this](Qt::MouseButton button, QPoint pos) {
        form_.PaintBoxDrawMouseDown(button, pos.x(), pos.y());
    });
    QObject::connect(field, &lp::PaintBox::moved, &form_,
                     [this](QPoint pos) { form_.PaintBoxDrawMouseMove(pos.x(), pos.y()); });
    QObject::connect(field, &lp::PaintBox::released, &form_, [this](Qt::MouseButton button, QPoint pos) {
        form_.PaintBoxDrawMouseUp(button, pos.x(), pos.y());
    });
    QObject::connect(field, &lp::PaintBox::doubleClicked, &form_, &TBaseForm::PaintBoxDrawDblClick);
    QObject::connect(form_.TimerPointOff, &QTimer::timeout, &form_, &TBaseForm::TimerPointOffTimer);
}

void MouseEditing::PaintBoxDrawMouseDown(Qt::MouseButton button, int x, int y) {
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
    form_.ToUndo();
}

void MouseEditing::PaintBoxDrawMouseMove(int x, int y) {
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
        form_.MadeHalf();
        editor_.takeLastCopy();
        form_.FullReturn(1);
    } else if (stretching) {
        form_.FullReturn(1);
    }
}

void MouseEditing::PaintBoxDrawMouseUp() {
    lp::EditorState& state = editor_.state();
    state.HoverPoint = lp::kNoHoverPoint;
    if (!state.AreaMode) ShowCursor(ui->PaintBoxDraw, kArrowCursor);
    state.DragMode = 0;
    ui->LabelPoint->setCaption(QStringLiteral(" "));
    QToolTip::hideText();
    form_.FullReturn(1);
}

void MouseEditing::PaintBoxDrawDblClick() {
    lp::EditorState& state = editor_.state();
    state.AreaMode = !state.AreaMode;
    if (!state.AreaMode) {
        state.DragMode = 0;
        ShowCursor(ui->PaintBoxDraw, kDragCursor);
    } else {
        ShowCursor(ui->PaintBoxDraw, kMoveCursor);
    }
    form_.FullReturn(1);
}

void MouseEditing::SearchPoint(uint8_t fx, uint8_t fy) {
    const bool direct = ui->SpeedButtonDirect->Down();
    const int found =
        lp::SearchPoint(editor_.FigureX(), editor_.FigureY(), fx, fy, editor_.half128(), direct);
    if (found < 0) return;
    editor_.state().HoverPoint = found;
    if (direct) {
        ui->LabelPoint->setCaption(QStringLiteral(" Point ") + QString::number(found + 1));
    } else {
        ui->LabelPoint->setCaption(TBaseForm::tr("Точка %1").arg(found + 1));
        // A running timer keeps its period: the label falls back two seconds
        // after the hit that started it.
        if (!form_.TimerPointOff->isActive()) form_.TimerPointOff->start();
    }
}

void MouseEditing::SdvigXY(int fx, int fy) {
    editor_.shiftSelection(fx, fy);
}

void MouseEditing::TimerPointOffTimer() {
    ui->LabelPoint->setCaption(TBaseForm::tr("Точка ?"));
    form_.TimerPointOff->stop();
}

}  // namespace lp

// The window's handlers, passed on.
void TBaseForm::PaintBoxDrawMouseDown(Qt::MouseButton button, int x, int y) {
    mouse_->PaintBoxDrawMouseDown(button, x, y);
}

void TBaseForm::PaintBoxDrawMouseMove(int x, int y) {
    mouse_->PaintBoxDrawMouseMove(x, y);
}

void TBaseForm::PaintBoxDrawMouseUp(Qt::MouseButton, int, int) {
    mouse_->PaintBoxDrawMouseUp();
}

void TBaseForm::PaintBoxDrawDblClick() {
    mouse_->PaintBoxDrawDblClick();
}

void TBaseForm::SearchPoint(uint8_t fx, uint8_t fy) {
    mouse_->SearchPoint(fx, fy);
}

void TBaseForm::SdvigXY(int fx, int fy) {
    mouse_->SdvigXY(fx, fy);
}

void TBaseForm::TimerPointOffTimer() {
    mouse_->TimerPointOffTimer();
}
