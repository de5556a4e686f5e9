// One device window's link to the standalone device: its own port handle, line
// settings and transmit buffer, and the three steps of every transmission:
// OpenPort, SendFrame for each frame (or Upload for the four of a picture),
// ClosePort. The port is never kept open between two actions. A failure ends
// the transmission, never the program; Report() says what happened, for the
// window to show.
#pragma once

#include <QString>
#include <memory>

#include "link/frames.h"
#include "link/serialport.h"
#include "link/transmission.h"

class QWidget;

namespace lp {

class SerialLink {
  public:
    SerialLink() = default;
    ~SerialLink();

    std::unique_ptr<SerialDevice> PortHandle;  // none outside a transmission
    LineSettings PortConfig;
    TxBuffer TxBytes{};

    // Releases a port still held, opens the device behind the port item (0 for
    // COM1, any other for COM2) and applies 1200 baud, 8 data bits, no parity
    // and the given stop bits. False when the port did not open or refused the
    // settings; it is closed again then.
    bool OpenPort(int portItem, int stopBits);
    // Writes TxBytes[0..length) in one write. False when the write failed or
    // the port took fewer bytes.
    bool SendFrame(uint32_t length);
    // The four frames of a picture, logged as they go; false on a failure.
    bool Upload(const UploadPicture& picture, const UploadLog& log);
    // Waits until the bytes have left the line, then closes. False when they
    // could not be drained, or after an earlier failure.
    bool ClosePort();
    // One command frame to the device behind the port item, with two stop
    // bits: OpenPort, SendFrame, ClosePort. False on a failure.
    bool SendCommand(int portItem, uint8_t command, uint8_t argument);

    // What the current (or last) transmission did.
    const LinkReport& Report() const { return report_; }
    // What went wrong in the current transmission, on one line; empty while nothing did.
    QString Failure() const { return report_.failed ? report_.summary() : QString(); }

  private:
    LinkReport report_;
};

// Shows the transmission's failure in a warning box over the window; nothing
// when all went well.
void ShowLinkWarning(QWidget* window, const LinkReport& report);

}  // namespace lp
