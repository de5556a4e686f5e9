#include "link/inputguard.h"

#include <QApplication>
#include <QEvent>

namespace lp {

namespace {
const char kGuardedProperty[] = "lpTransmitting";
}

InputGuard::InputGuard(QWidget* window) : window_(window) {
    window->setProperty(kGuardedProperty, true);
    qApp->installEventFilter(this);
    QApplication::setOverrideCursor(Qt::BusyCursor);
}

InputGuard::~InputGuard() {
    QApplication::restoreOverrideCursor();
    qApp->removeEventFilter(this);
    if (window_) window_->setProperty(kGuardedProperty, QVariant());
}

bool InputGuard::Guarded(const QWidget* window) {
    return window->property(kGuardedProperty).toBool();
}

bool InputGuard::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::TouchBegin:
        case QEvent::DragEnter:
        case QEvent::Drop:
        case QEvent::Close:
            break;
        default:
            return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !window_ || (widget != window_ && !window_->isAncestorOf(widget))) return false;
    event->ignore();
    return true;
}

}  // namespace lp
