#include "app/mainwindow/keyboard.h"

#include <QApplication>
#include <QKeyEvent>

#include "app/baseform.h"
#include "ui_baseform.h"

namespace {

constexpr int kShiftStep = 10;

bool IsModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
           key == Qt::Key_AltGr || key == Qt::Key_CapsLock || key == Qt::Key_NumLock;
}

}  // namespace

void TBaseForm::connectKeyboard() {
    new lp::EditorKeys(this);
}

// The keyboard's edits: the editor moves the figure, the window turns undo on,
// shows the point and redraws.
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

namespace lp {

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
    return form_->isActiveWindow() && form_->editor().state().DragMode == 0;
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
    const lp::EditorState& s = form_->editor().state();
    if (!s.AreaMode && (s.CurrentPoint < 0 || s.CurrentPoint >= lp::kPointCount)) return Action::None;
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
                if (event->type() == QEvent::KeyPress && !IsModifierKey(key->key()))
                    form_->editor().endMoveRun();
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
            if (watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == form_)
                form_->editor().endMoveRun();
            return false;
        default:
            return false;
    }
}

void EditorKeys::perform(Action action, int dx, int dy) {
    if (action != Action::Move) form_->editor().endMoveRun();
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
            form_->StepByKey(-1);
            break;
        case Action::NextPoint:
            form_->StepByKey(1);
            break;
        case Action::Move:
            form_->MoveByKey(dx, dy);
            break;
        case Action::None:
            break;
    }
}

}  // namespace lp
