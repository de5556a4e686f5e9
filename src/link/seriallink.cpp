#include "link/seriallink.h"

#include "link/portnames.h"
#include "widgets/dialogs.h"

namespace lp {

SerialLink::~SerialLink() {
    if (PortHandle) PortHandle->close();
}

bool SerialLink::OpenPort(int portItem, int stopBits) {
    // A port an interrupted transmission left open is released first.
    if (PortHandle) {
        PortHandle->close();
        PortHandle.reset();
    }
    report_ = LinkReport();
    report_.device = DeviceFor(ComNumber(portItem));

    QString reason;
    PortHandle = serialPorts().open(report_.device, &reason);
    if (!PortHandle) {
        report_.fail(LinkStep::Open, reason);
        return false;
    }
    // The system's own queues stand for the 4096-byte ones: nothing to ask.
    PortConfig.BaudRate = 1200;
    PortConfig.ByteSize = 8;
    PortConfig.Parity = 0;
    PortConfig.StopBits = uint8_t(stopBits);
    if (!PortHandle->configure(PortConfig)) {
        // Nothing goes out with settings the device does not expect.
        report_.fail(LinkStep::Configure, PortHandle->errorString());
        PortHandle->close();
        PortHandle.reset();
        return false;
    }
    return true;
}

bool SerialLink::SendFrame(uint32_t length) {
    return PortHandle && lp::SendFrame(*PortHandle, PortConfig, TxBytes.data(), length, report_);
}

bool SerialLink::Upload(const UploadPicture& picture, const UploadLog& log) {
    return PortHandle && SendUpload(*PortHandle, PortConfig, picture, TxBytes, report_, log);
}

bool SerialLink::ClosePort() {
    if (!PortHandle) return !report_.failed;
    DrainLine(*PortHandle, PortConfig, report_);
    PortHandle->close();
    PortHandle.reset();
    return !report_.failed;
}

bool SerialLink::SendCommand(int portItem, uint8_t command, uint8_t argument) {
    if (!OpenPort(portItem, 2)) return false;
    SendFrame(BuildCommandFrame(TxBytes, command, argument));
    return ClosePort();
}

void ShowLinkWarning(QWidget* window, const LinkReport& report) {
    if (report.failed) dialogs().message(window, QMessageBox::Warning, report.warning(), QMessageBox::Ok);
}

}  // namespace lp
