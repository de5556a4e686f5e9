#include "link/portgroup.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QMenu>
#include <QRadioButton>
#include <algorithm>

#include "link/portnames.h"
#include "link/serialport.h"

namespace lp {

namespace {

// Room the frame and the caption take from the group's rectangle.
constexpr int kItemLeft = 6;
constexpr int kTop = 12;
constexpr int kBottom = 2;

QString Entry(const lp::SerialPortEntry& port) {
    return port.description.isEmpty() ? port.device : port.device + QStringLiteral(" — ") + port.description;
}

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

void PortRadioGroup::refreshTips() {
    for (int i = 0; i < buttons_.size(); ++i) {
        const int com = lp::ComNumber(i);
        QString tip = lp::DeviceFor(com);
        if (!lp::EnvironmentDevice(com).isEmpty())
            tip += QStringLiteral(" (%1)").arg(lp::EnvironmentVariable(com));
        buttons_[i]->setToolTip(tip);
    }
}

QMenu* PortRadioGroup::createPortMenu(int item) {
    if (!buttons_.value(item)) item = std::max(0, itemIndex());
    const int com = lp::ComNumber(item);
    const QString chosen = lp::ChosenDevice(com);
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("PortMenu"));
    menu->setToolTipsVisible(true);
    menu->addSection(
        tr("Устройство для «%1»").arg(buttons_.value(item) ? buttons_[item]->text() : QString()));
    if (!lp::EnvironmentDevice(com).isEmpty()) {
        QAction* note = menu->addAction(
            tr("Сейчас действует %1 = %2").arg(lp::EnvironmentVariable(com), lp::EnvironmentDevice(com)));
        note->setEnabled(false);
    }
    auto* group = new QActionGroup(menu);
    auto add = [&](const QString& text, const QString& device) {
        QAction* action = menu->addAction(text);
        action->setData(device);
        action->setCheckable(true);
        action->setChecked(device == chosen);
        group->addAction(action);
    };
    const QList<lp::SerialPortEntry> ports = lp::serialPorts().available();
    for (const lp::SerialPortEntry& port : ports) add(Entry(port), port.device);
    if (ports.isEmpty()) menu->addAction(tr("Система не нашла последовательных портов"))->setEnabled(false);
    // A device chosen earlier that is not listed now (unplugged) stays visible.
    if (!chosen.isEmpty() &&
        std::none_of(ports.begin(), ports.end(), [&](const auto& p) { return p.device == chosen; }))
        add(chosen + tr(" (не найден)"), chosen);
    menu->addSeparator();
    add(tr("По умолчанию: %1").arg(lp::DefaultDevice(com)), QString());
    connect(group, &QActionGroup::triggered, this, [this, com](QAction* action) {
        lp::SetChosenDevice(com, action->data().toString());
        refreshTips();
    });
    return menu;
}

}  // namespace lp
