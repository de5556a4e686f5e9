#include "link/portgroup.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QRadioButton>
#include <algorithm>

namespace lp {

namespace {

// Room the frame and the caption take from the group's rectangle.
constexpr int kItemLeft = 6;
constexpr int kTop = 12;
constexpr int kBottom = 2;

}  // namespace

PortRadioGroup::PortRadioGroup(QWidget* parent) : EtchedGroupBox(parent) {}

QStringList PortRadioGroup::items() const {
    QStringList texts;
    for (const QRadioButton* button : buttons_) texts.append(button->text());
    return texts;
}

void PortRadioGroup::setItems(const QStringList& items) {
    qDeleteAll(buttons_);
    buttons_.clear();
    for (const QString& text : items) {
        auto* button = new QRadioButton(text, this);
        button->setObjectName(QStringLiteral("%1Item%2").arg(objectName()).arg(buttons_.size()));
        button->setFocusPolicy(Qt::TabFocus);
        connect(button, &QRadioButton::toggled, this, [this, index = int(buttons_.size())](bool on) {
            if (on) emit itemIndexChanged(index);
        });
        buttons_.append(button);
        button->show();
    }
    setItemIndex(pendingIndex_);
    arrange();
    refreshTips();
}

void PortRadioGroup::setColumns(int columns) {
    columns_ = std::max(1, columns);
    arrange();
}

int PortRadioGroup::itemIndex() const {
    for (int i = 0; i < buttons_.size(); ++i)
        if (buttons_[i]->isChecked()) return i;
    return -1;
}

void PortRadioGroup::setItemIndex(int index) {
    pendingIndex_ = index;  // kept for items set later
    if (QRadioButton* button = buttons_.value(index)) button->setChecked(true);
}

void PortRadioGroup::arrange() {
    if (buttons_.isEmpty()) return;
    const int rows = int((buttons_.size() + columns_ - 1) / columns_);
    const int cellWidth = (width() - kItemLeft - 2) / columns_;
    const int cellHeight = std::max(1, (height() - kTop - kBottom) / rows);
    // Items fill the columns top to bottom, as in a radio group.
    for (int i = 0; i < buttons_.size(); ++i) {
        const int column = i / rows, row = i % rows;
        const int h = std::min(cellHeight, buttons_[i]->sizeHint().height());
        buttons_[i]->setGeometry(kItemLeft + column * cellWidth,
                                 kTop + row * cellHeight + (cellHeight - h) / 2, cellWidth, h);
    }
}

void PortRadioGroup::resizeEvent(QResizeEvent* event) {
    EtchedGroupBox::resizeEvent(event);
    arrange();
}

void PortRadioGroup::showEvent(QShowEvent* event) {
    EtchedGroupBox::showEvent(event);
    refreshTips();  // the other window may have changed the mapping
}

void PortRadioGroup::contextMenuEvent(QContextMenuEvent* event) {
    // The item clicked, elsewhere in the group the selected one.
    int item = -1;
    for (int i = 0; i < buttons_.size(); ++i)
        if (buttons_[i]->geometry().contains(event->pos())) item = i;
    QMenu* menu = createPortMenu(item);
    menu->exec(event->globalPos());
    delete menu;
}

}  // namespace lp
