// The serial devices behind the device windows. The windows go through
// SerialLink and SerialLink through serialPorts(), so tests can wrap or replace
// a device; the default seam opens real ports with QSerialPort.
#pragma once

#include <QList>
#include <QString>
#include <memory>

#include "link/serialdevice.h"

namespace lp {

struct SerialPortEntry {
    QString device;       // "/dev/ttyUSB0"
    QString description;  // "FT232R USB UART", may be empty
};

class SerialPorts {
  public:
    virtual ~SerialPorts() = default;
    // Opens the device for exclusive use; nullptr with the reason when that
    // fails (missing, not a serial port, held by another program).
    virtual std::unique_ptr<SerialDevice> open(const QString& device, QString* error);
    // The serial ports the system lists, by device name.
    virtual QList<SerialPortEntry> available();
};

// The seam in use, and its replacement (nullptr restores the default); returns
// the previous one.
SerialPorts& serialPorts();
SerialPorts* setSerialPorts(SerialPorts* seam);

}  // namespace lp
