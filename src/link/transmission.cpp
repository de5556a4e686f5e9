#include "link/transmission.h"

#include <QCoreApplication>
#include <algorithm>

namespace lp {

namespace {

constexpr int kSlackMs = 2000;

}  // namespace

void LinkReport::fail(LinkStep failedStep, const QString& why) {
    if (failed) return;
    failed = true;
    step = failedStep;
    reason = why;
}

QString LinkReport::heading() const {
    switch (step) {
        case LinkStep::Open:
            return CannotOpenPort();
        case LinkStep::Configure:
            return CannotConfigurePort();
        default:
            return CannotWritePort();
    }
}

QString LinkReport::summary() const {
    return reason.isEmpty() ? heading() : heading() + QStringLiteral(": ") + reason;
}

QString LinkReport::warning() const {
    return heading() + QLatin1Char('\n') +
           (reason.isEmpty() ? device : device + QStringLiteral(": ") + reason);
}

QString CannotOpenPort() {
    return QCoreApplication::translate("SerialPort", "Не могу открыть порт");
}

QString CannotConfigurePort() {
    return QCoreApplication::translate("SerialPort", "Не могу сконфигурировать порт");
}

QString CannotWritePort() {
    return QCoreApplication::translate("SerialPort", "Не могу передать данные в порт");
}

QDeadlineTimer LineDeadline(int64_t bytes, int stopBits) {
    return QDeadlineTimer(2 * LineMilliseconds(bytes, stopBits) + kSlackMs);
}

bool SendFrame(SerialDevice& port, const LineSettings& line, const uint8_t* data, uint32_t length,
               LinkReport& report) {
    if (report.failed) return false;
    const int64_t taken = port.write(data, length, LineDeadline(length, line.StopBits));
    report.taken += std::max<int64_t>(taken, 0);
    if (taken == int64_t(length)) return true;
    QString reason = port.errorString();
    if (taken > 0)
        reason =
            QCoreApplication::translate("SerialPort", "порт принял %1 байт из %2").arg(taken).arg(length) +
            (reason.isEmpty() ? QString() : QStringLiteral(", ") + reason);
    report.fail(LinkStep::Write, reason);
    return false;
}

bool DrainLine(SerialDevice& port, const LineSettings& line, LinkReport& report) {
    if (report.failed) return false;
    if (report.taken == 0 || port.drain(LineDeadline(report.taken, line.StopBits))) return true;
    report.fail(LinkStep::Write, port.errorString());
    return false;
}

bool SendUpload(SerialDevice& port, const LineSettings& line, const UploadPicture& picture, TxBuffer& tx,
                LinkReport& report, const UploadLog& log) {
    QString text;
    const int header = BuildHeaderFrame(tx, picture.name, &text);
    log(text, false);
    if (!SendFrame(port, line, tx.data(), header, report)) return false;
    log(QStringLiteral(" "), true);
    log(LogPointsHeading(), true);
    for (int half = 0; half < 2; ++half) {
        const int length =
            BuildHalfFrame(tx, half, picture.X, picture.Y, picture.invertX, picture.invertY, &text);
        log(text, false);
        if (!SendFrame(port, line, tx.data(), length, report)) return false;
    }
    return SendFrame(port, line, tx.data(), BuildEndFrame(tx), report);
}

}  // namespace lp
