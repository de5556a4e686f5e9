// What "COM1" and "COM2" stand for. The port radio groups' item 0 opens COM1,
// any other item COM2. A COM name maps to /dev/ttyS0, /dev/ttyS1 ... until the
// user puts another device behind it (remembered across runs); the variables
// LASERPIC_COM1 and LASERPIC_COM2 override both.
#pragma once

#include <QString>

namespace lp {

// 1 for the radio group's item 0, 2 for any other.
int ComNumber(int portItem);

QString DefaultDevice(int com);
// The device the environment names, or an empty string.
QString EnvironmentDevice(int com);
QString EnvironmentVariable(int com);
// The device the user chose, or an empty string.
QString ChosenDevice(int com);
// Remembers the choice; an empty device goes back to the default.
void SetChosenDevice(int com, const QString& device);

// The device a transmission on the COM name opens.
QString DeviceFor(int com);

}  // namespace lp
