#include "link/portnames.h"

#include <QSettings>

namespace lp {

namespace {

QSettings Settings() {
    return QSettings(QStringLiteral("laserpic"), QStringLiteral("laserpic"));
}

QString Key(int com) {
    return QStringLiteral("SerialPorts/COM%1").arg(com);
}

}  // namespace

int ComNumber(int portItem) {
    return portItem == 0 ? 1 : 2;
}

QString DefaultDevice(int com) {
    return QStringLiteral("/dev/ttyS%1").arg(com - 1);
}

QString EnvironmentVariable(int com) {
    return QStringLiteral("LASERPIC_COM%1").arg(com);
}

QString EnvironmentDevice(int com) {
    return qEnvironmentVariable(EnvironmentVariable(com).toLatin1().constData());
}

QString ChosenDevice(int com) {
    return Settings().value(Key(com)).toString();
}

void SetChosenDevice(int com, const QString& device) {
    QSettings settings = Settings();
    if (device.isEmpty())
        settings.remove(Key(com));
    else
        settings.setValue(Key(com), device);
}

QString DeviceFor(int com) {
    QString device = EnvironmentDevice(com);
    if (device.isEmpty()) device = ChosenDevice(com);
    if (device.isEmpty()) device = DefaultDevice(com);
    return device;
}

}  // namespace lp
