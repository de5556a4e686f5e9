#include "link/serialport.h"

#include <fcntl.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <algorithm>
#include <cerrno>

#include "files/fileresult.h"
#include "link/transmission.h"
#include "widgets/seam.h"
#include "work/worker.h"

namespace lp {

namespace {

QString Reason(const QSerialPort& port) {
    switch (port.error()) {
        case QSerialPort::DeviceNotFoundError:
            return QCoreApplication::translate("SerialPort", "устройство не найдено");
        case QSerialPort::PermissionError:
            return QCoreApplication::translate("SerialPort", "нет доступа, или порт занят другой программой");
        case QSerialPort::UnsupportedOperationError:
            return QCoreApplication::translate("SerialPort", "это не последовательный порт");
        case QSerialPort::ResourceError:
            return QCoreApplication::translate("SerialPort", "устройство отключено");
        default:
            return port.errorString();
    }
}

class QtSerialDevice final : public SerialDevice {
  public:
    bool open(const QString& device, QString* error) {
        port_.setPortName(device);
        // The link only writes. QSerialPort takes the device's lock file and
        // asks for exclusive use (TIOCEXCL).
        if (!port_.open(QIODevice::WriteOnly)) {
            *error = Reason(port_);
            return false;
        }
        // Programs that lock the device itself are respected as well.
        if (::flock(port_.handle(), LOCK_EX | LOCK_NB) != 0) {
            *error = errno == EWOULDBLOCK
                         ? QCoreApplication::translate("SerialPort", "порт занят другой программой")
                         : lp::SystemErrorText(errno);
            port_.close();
            return false;
        }
        return true;
    }

    bool configure(const LineSettings& s) override {
        const bool ok = port_.setBaudRate(qint32(s.BaudRate)) &&
                        port_.setDataBits(QSerialPort::DataBits(s.ByteSize)) &&
                        port_.setParity(QSerialPort::NoParity) &&
                        port_.setStopBits(s.StopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) &&
                        port_.setFlowControl(QSerialPort::NoFlowControl);
        if (!ok) {
            error_ = port_.errorString();
            return false;
        }
        stopBits_ = s.StopBits;
        // A pseudo-terminal has no modem lines and refuses both: not a failure.
        port_.setDataTerminalReady(false);
        port_.setRequestToSend(false);
        port_.clearError();
        return true;
    }

    int64_t write(const uint8_t* data, int64_t length, QDeadlineTimer deadline) override {
        port_.clearError();
        if (port_.write(reinterpret_cast<const char*>(data), length) != length) {
            error_ = port_.errorString();
            return 0;
        }
        // QSerialPort writes from the event loop; wait until its buffer is empty.
        const bool done = WaitUntil([this] { return handedOn(); }, deadline);
        const int64_t taken = length - std::min<int64_t>(length, port_.bytesToWrite());
        if (port_.error() != QSerialPort::NoError) {
            error_ = Reason(port_);
        } else if (!done) {
            error_ = QCoreApplication::translate("SerialPort", "порт не принял данные вовремя");
            port_.clear(QSerialPort::Output);  // given up: the rest is dropped now
        } else {
            undrained_ += taken;
        }
        return taken;
    }

    bool drain(QDeadlineTimer deadline) override {
        undrained_ = 0;  // drained, or given up and dropped: the close does not wait again
        if (!WaitUntil([this] { return handedOn(); }, deadline)) {
            port_.clear(QSerialPort::Output);
            error_ = QCoreApplication::translate("SerialPort", "данные не ушли в линию вовремя");
            return false;
        }
        if (port_.error() != QSerialPort::NoError) {
            error_ = Reason(port_);
            return false;
        }
        // tcdrain() returns once the last bit has left the transmitter (on a
        // pseudo-terminal: once the bytes are in the other side's input,
        // which may not have read them yet).
        const int fd = int(port_.handle());
        return WaitUntilDrained(
            deadline, [fd] { return ::tcdrain(fd) == 0 ? 0 : errno; }, [fd] { ::tcflush(fd, TCOFLUSH); },
            &error_);
    }

    void close() override {
        if (!port_.isOpen()) return;
        // Nothing written is dropped here. Whatever a failed transmission left
        // undrained goes out first, under the line's settings rather than the
        // ones the close restores. No flush: on a pseudo-terminal it would also
        // drop what the other side has not read yet.
        if (undrained_ > 0 && port_.error() == QSerialPort::NoError)
            drain(LineDeadline(undrained_, stopBits_));
        port_.close();
    }

    QString errorString() const override { return error_; }

  private:
    // Everything written has left QSerialPort's buffer, or nothing more will.
    bool handedOn() const { return port_.bytesToWrite() == 0 || port_.error() != QSerialPort::NoError; }

    QSerialPort port_;
    QString error_;
    int stopBits_ = 1;
    int64_t undrained_ = 0;  // bytes handed on since the last drain
};

Seam<SerialPorts> seam;

}  // namespace

std::unique_ptr<SerialDevice> SerialPorts::open(const QString& device, QString* error) {
    auto port = std::make_unique<QtSerialDevice>();
    if (!port->open(device, error)) return nullptr;
    return port;
}

QList<SerialPortEntry> SerialPorts::available() {
    QList<SerialPortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        QString description = info.description();
        if (description.isEmpty()) description = info.manufacturer();
        ports.append({info.systemLocation(), description});
    }
    std::sort(ports.begin(), ports.end(),
              [](const SerialPortEntry& a, const SerialPortEntry& b) { return a.device < b.device; });
    return ports;
}

SerialPorts& serialPorts() {
    return seam.get();
}

SerialPorts* setSerialPorts(SerialPorts* other) {
    return seam.set(other);
}

}  // namespace lp
