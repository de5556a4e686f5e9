#include "edit/keyboard.h"

#include <QApplication>
#include <QKeyEvent>

#include "app/baseform.h"
#include "edit/editcore.h"
#include "ui_baseform.h"

namespace {

constexpr int kSelection = -1;  // series target: the selection in area mode
constexpr int kShiftStep = 10;

bool IsModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
           key == Qt::Key_AltGr || key == Qt::Key_CapsLock || key == Qt::Key_NumLock;
}

bool SameArea(const lp::EditorState& a, const lp::EditorState& b) {
    return a.AreaX1 == b.AreaX1 && a.AreaY1 == b.AreaY1 && a.AreaX2 == b.AreaX2 && a.AreaY2 == b.AreaY2;
}

}  // namespace

void TBaseForm::connectKeyboard() {
    new EditorKeys(this);
}

EditorKeys::EditorKeys(TBaseForm* form) : QObject(form), form_(form) {
    setObjectName(QStringLiteral("EditorKeys"));
    qApp->installEventFilter(this);
}

EditorKeys::~EditorKeys() {
    if (qApp) qApp->removeEventFilter(this);
}

bool EditorKeys::reachesEditor(QObject* watched) const {
    if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != form_) return false;
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) return false;
    // Not while a mouse button drags on the field.
    return form_->isActiveWindow() && form_->state.DragMode == 0;
}

EditorKeys::Action EditorKeys::actionFor(const QKeyEvent* key, int& dx, int& dy) const {
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    const bool repeat = key->isAutoRepeat();
    dx = dy = 0;
    if (mods == Qt::ControlModifier) {
        switch (key->key()) {
            case Qt::Key_O:
                return repeat ? Action::None : Action::Open;
            case Qt::Key_S:
                return repeat ? Action::None : Action::Save;
            case Qt::Key_Z:
                return Action::Undo;
            case Qt::Key_R:
                return repeat ? Action::None : Action::ProgramWindow;
            case Qt::Key_T:
                return repeat ? Action::None : Action::Trace;
            default:
                return Action::None;
        }
    }
    if (mods == Qt::NoModifier) {
        switch (key->key()) {
            case Qt::Key_Insert:
                return Action::Insert;
            case Qt::Key_Delete:
                return Action::Delete;
            case Qt::Key_PageUp:
                return Action::PreviousPoint;
            case Qt::Key_PageDown:
                return Action::NextPoint;
            default:
                break;
        }
    }
    if (mods != Qt::NoModifier && mods != Qt::ShiftModifier) return Action::None;
    const int step = mods == Qt::ShiftModifier ? kShiftStep : 1;
    switch (key->key()) {
        case Qt::Key_Left:
            dx = -step;
            break;
        case Qt::Key_Right:
            dx = step;
            break;
        case Qt::Key_Up:
            dy = -step;
            break;
        case Qt::Key_Down:
            dy = step;
            break;
        default:
            return Action::None;
    }
    // Without a current point the arrows are left to the focused control.
    const lp::EditorState& s = form_->state;
    if (!s.AreaMode && (s.CurrentPoint < 0 || s.CurrentPoint >= lp::PointCount)) return Action::None;
    return Action::Move;
}

bool EditorKeys::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress: {
            if (!reachesEditor(watched)) return false;
            auto* key = static_cast<QKeyEvent*>(event);
            int dx = 0, dy = 0;
            const Action action = actionFor(key, dx, dy);
            if (action == Action::None) {
                if (event->type() == QEvent::KeyPress && !IsModifierKey(key->key())) EndSeries();
                return false;
            }
            // The key is the editor's: no shortcut and no control takes it.
            event->accept();
            if (event->type() == QEvent::KeyPress) perform(action, dx, dy);
            return true;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            if (watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == form_) EndSeries();
            return false;
        default:
            return false;
    }
}

void EditorKeys::perform(Action action, int dx, int dy) {
    if (action != Action::Move) EndSeries();
    switch (action) {
        case Action::Open:
            form_->SpeedButtonOpenPicClick();
            break;
        case Action::Save:
            form_->SpeedButtonSavePicClick();
            break;
        case Action::Undo:
            if (form_->UndoEnabled()) form_->SpeedButtonUndoClick();
            break;
        case Action::ProgramWindow:
            form_->SpeedButtonUstProgramClick();
            break;
        case Action::Trace:
            form_->SpeedButtonTraceClick();
            break;
        case Action::Insert:
            form_->SpeedButtonInsertPointClick();
            break;
        case Action::Delete:
            form_->SpeedButtonDeletePointClick();
            break;
        case Action::PreviousPoint:
            stepPoint(-1);
            break;
        case Action::NextPoint:
            stepPoint(1);
            break;
        case Action::Move:
            if (form_->state.AreaMode)
                moveSelection(dx, dy);
            else
                movePoint(dx, dy);
            break;
        case Action::None:
            break;
    }
}

// The series goes on only while nothing but its own moves has touched the
// figure or the undo copy since the last move.
bool EditorKeys::continues(int target) const {
    const lp::FigureData& d = form_->data;
    return series_ && target_ == target && form_->UndoEnabled() && d.UndoX == undoX_ && d.UndoY == undoY_ &&
           d.FigureX == afterX_ && d.FigureY == afterY_;
}

void EditorKeys::startSeries(int target) {
    form_->ToUndo();
    series_ = true;
    target_ = target;
    undoX_ = form_->data.UndoX;
    undoY_ = form_->data.UndoY;
}

// Redrawn as a drag step is: second half, change-detection copy, full redraw.
void EditorKeys::moved() {
    form_->MadeHalf();
    lp::TakeLastCopy(form_->data);
    form_->FullReturn(1);
    afterX_ = form_->FigureX;
    afterY_ = form_->FigureY;
}

void EditorKeys::movePoint(int dx, int dy) {
    const int c = form_->state.CurrentPoint;
    lp::Coords x = form_->FigureX, y = form_->FigureY;
    lp::NudgePoint(x, y, c, dx, dy);
    if (x == form_->FigureX && y == form_->FigureY) return;  // at the border already
    if (!continues(c)) {
        startSeries(c);
        // As a pick with the mouse: template making ends.
        form_->ui->SpeedButtonOffMade->SetDown(true);
        form_->state.MakeMode = lp::MakeNone;
    }
    form_->FigureX = x;
    form_->FigureY = y;
    showPoint(c);
    moved();
}

void EditorKeys::moveSelection(int dx, int dy) {
    const bool fresh = !continues(kSelection);
    lp::EditorState s = form_->state;
    lp::Coords x = form_->FigureX, y = form_->FigureY, mask = form_->data.SelectMask;
    // A new series selects as a left press does: the points inside the rectangle.
    if (fresh) lp::SelectArea(s, x, y, mask);
    const lp::EditorState before = s;
    lp::MoveSelection(s, x, y, mask, dx, dy);
    if (SameArea(s, before) && x == form_->FigureX && y == form_->FigureY) return;  // at the border
    if (fresh) {
        startSeries(kSelection);
        form_->data.SelectMask = mask;
    }
    lp::EditorState& state = form_->state;
    state.AreaX1 = s.AreaX1;
    state.AreaY1 = s.AreaY1;
    state.AreaX2 = s.AreaX2;
    state.AreaY2 = s.AreaY2;
    form_->FigureX = x;
    form_->FigureY = y;
    moved();
}

// Page Up / Page Down: the previous / next point becomes current, wrapping at
// the ends of the points that can be picked (the first half in the "128" mode).
void EditorKeys::stepPoint(int step) {
    const int last = form_->ui->SpeedButton128->Down() ? 127 : lp::PointCount - 1;
    const int c = form_->state.CurrentPoint;
    int next;
    if (c < 0 || c >= lp::PointCount)
        next = step > 0 ? 0 : last;
    else if (step > 0)
        next = c + 1 > last ? 0 : c + 1;
    else
        next = c - 1 < 0 ? last : std::min(c - 1, last);
    form_->state.CurrentPoint = next;
    form_->ui->SpeedButtonOffMade->SetDown(true);
    form_->state.MakeMode = lp::MakeNone;
    showPoint(next);
    form_->FullReturn(1);
}

// The labels a drag shows: the point's position and its number.
void EditorKeys::showPoint(int c) {
    Ui::TBaseForm* ui = form_->ui;
    ui->LabelPosX->setCaption(QStringLiteral("X = ") + QString::number(form_->FigureX[c]));
    ui->LabelPosY->setCaption(QStringLiteral("Y = ") + QString::number(255 - form_->FigureY[c]));
    ui->LabelInsdel->setCaption(QString::number(c + 1));
}
