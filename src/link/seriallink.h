// One device window's link to the standalone device: its own port handle, line
// settings and transmit buffer, and the three steps of every transmission:
// OpenPort, SendFrame for each frame, ClosePort. The port is never kept open
// between two actions. Failures are reported in warning boxes over the window
// (once per transmission) and end the transmission, never the program.
#pragma once

#include <QString>
#include <memory>

#include "link/frames.h"
#include "link/serialport.h"

class QWidget;

namespace lp {

class SerialLink {
  public:
    explicit SerialLink(QWidget* window) : window_(window) {}
    ~SerialLink();

    std::unique_ptr<SerialDevice> PortHandle;  // none outside a transmission
    LineSettings PortConfig;
    TxBuffer TxBytes{};

    // Releases a port still held, opens the device behind the port item (0 for
    // COM1, any other for COM2) and applies 1200 baud, 8 data bits, no parity
    // and the given stop bits. False, after a warning, when the port did not
    // open or refused the settings; it is closed again then.
    bool OpenPort(int portItem, int stopBits);
    // Writes TxBytes[0..length) in one write. False, after a warning, when the
    // write failed or the port took fewer bytes.
    bool SendFrame(uint32_t length);
    // Waits until the bytes have left the line, then closes. False, after a
    // warning, when they could not be drained.
    bool ClosePort();

    // Bytes the port took since OpenPort.
    int64_t BytesTaken() const { return taken_; }
    // What went wrong in the current transmission; empty while nothing did.
    const QString& Failure() const { return failure_; }
    // The device of the current (or last) transmission.
    const QString& Device() const { return device_; }

  private:
    void fail(const QString& text, const QString& reason);

    QWidget* window_;
    QString device_;
    QString failure_;
    int64_t taken_ = 0;
};

// Texts of the warnings and their caption.
inline const QString kPortWarningCaption = QStringLiteral("Warning");
inline const QString kCannotOpenPort = QStringLiteral("Не могу открыть порт");
inline const QString kCannotConfigurePort = QStringLiteral("Не могу сконфигурировать порт");
inline const QString kCannotWritePort = QStringLiteral("Не могу передать данные в порт");

}  // namespace lp
