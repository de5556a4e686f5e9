#include "widgets/speedbutton.h"

namespace lp {

SpeedButton::SpeedButton(QWidget* parent) : QToolButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(16, 16));
}

void SpeedButton::setGroupIndex(int group) {
    group_ = group;
    setCheckable(group != 0);
}

void SpeedButton::raiseGroup() {
    if (group_ == 0 || !parentWidget()) return;
    const auto siblings = parentWidget()->findChildren<SpeedButton*>(Qt::FindDirectChildrenOnly);
    for (SpeedButton* other : siblings)
        if (other != this && other->group_ == group_) other->setChecked(false);
}

void SpeedButton::SetDown(bool down) {
    if (group_ == 0) return;
    if (down) {
        raiseGroup();
        setChecked(true);
    } else if (allowAllUp_) {
        setChecked(false);
    }
}

void SpeedButton::nextCheckState() {
    if (!isChecked())
        SetDown(true);
    else if (allowAllUp_)
        setChecked(false);
}

}  // namespace lp
