#include "link/seriallink.h"

#include <algorithm>

#include "link/portnames.h"
#include "widgets/dialogs.h"

namespace lp {

namespace {

// Slack for a system that hands bytes on late: a deadline is twice the line
// time and this much more.
constexpr int kSlackMs = 2000;

QDeadlineTimer DeadlineFor(int64_t bytes, int stopBits) {
    return QDeadlineTimer(2 * LineMilliseconds(bytes, stopBits) + kSlackMs);
}

}  // namespace

SerialLink::~SerialLink() {
    if (PortHandle) PortHandle->close();
}

void SerialLink::fail(const QString& text, const QString& reason) {
    if (!failure_.isEmpty()) return;  // one warning per transmission
    failure_ = reason.isEmpty() ? text : text + QStringLiteral(": ") + reason;
    // The first line is the warning itself; the second says which device and why.
    const QString where = reason.isEmpty() ? device_ : device_ + QStringLiteral(": ") + reason;
    dialogs().message(window_, QMessageBox::Warning, text + QLatin1Char('\n') + where, QMessageBox::Ok,
                      kPortWarningCaption);
}

bool SerialLink::OpenPort(int portItem, int stopBits) {
    // A port an interrupted transmission left open is released first.
    if (PortHandle) {
        PortHandle->close();
        PortHandle.reset();
    }
    failure_.clear();
    taken_ = 0;
    device_ = DeviceFor(ComNumber(portItem));

    QString reason;
    PortHandle = serialPorts().open(device_, &reason);
    if (!PortHandle) {
        fail(kCannotOpenPort, reason);
        return false;
    }
    // The system's own queues stand for the 4096-byte ones: nothing to ask.
    PortConfig.BaudRate = 1200;
    PortConfig.ByteSize = 8;
    PortConfig.Parity = 0;
    PortConfig.StopBits = uint8_t(stopBits);
    if (!PortHandle->configure(PortConfig)) {
        // Nothing goes out with settings the device does not expect.
        fail(kCannotConfigurePort, PortHandle->errorString());
        PortHandle->close();
        PortHandle.reset();
        return false;
    }
    return true;
}

bool SerialLink::SendFrame(uint32_t length) {
    if (!PortHandle || !failure_.isEmpty()) return false;
    const int64_t taken = PortHandle->write(TxBytes.data(), length, DeadlineFor(length, PortConfig.StopBits));
    taken_ += std::max<int64_t>(taken, 0);
    if (taken == int64_t(length)) return true;
    QString reason = PortHandle->errorString();
    if (taken > 0)
        reason = QStringLiteral("порт принял %1 байт из %2").arg(taken).arg(length) +
                 (reason.isEmpty() ? QString() : QStringLiteral(", ") + reason);
    fail(kCannotWritePort, reason);
    return false;
}

bool SerialLink::ClosePort() {
    if (!PortHandle) return failure_.isEmpty();
    if (failure_.isEmpty() && taken_ > 0 && !PortHandle->drain(DeadlineFor(taken_, PortConfig.StopBits)))
        fail(kCannotWritePort, PortHandle->errorString());
    PortHandle->close();
    PortHandle.reset();
    return failure_.isEmpty();
}

}  // namespace lp
