// The port group's menu of serial ports and the tooltips that name the device
// behind each item.
#include <QActionGroup>
#include <QMenu>
#include <QRadioButton>
#include <algorithm>

#include "link/portgroup.h"
#include "link/portnames.h"
#include "link/serialport.h"

namespace lp {

namespace {

QString Entry(const lp::SerialPortEntry& port) {
    return port.description.isEmpty() ? port.device : port.device + QStringLiteral(" — ") + port.description;
}

}  // namespace

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
