// One open serial device as a transmission sees it: the interface the real
// ports, the tests' stand-ins and the benchmark's null device implement. No
// widgets and no serial port library.
#pragma once

#include <QDeadlineTimer>
#include <QString>
#include <cstdint>
#include <functional>

namespace lp {

// Line settings of a transmission: zero until the first one, which fills in
// these four fields. Everything else about the line stays off: no flow control
// of any kind, no parity checking, DTR and RTS inactive.
struct LineSettings {
    uint32_t BaudRate = 0;
    uint8_t ByteSize = 0;
    uint8_t Parity = 0;  // 0: none
    uint8_t StopBits = 0;
};

// One open serial device, used by one transmission. Every wait keeps the event
// loop running, so the windows go on painting.
class SerialDevice {
  public:
    virtual ~SerialDevice() = default;

    virtual bool configure(const LineSettings& settings) = 0;
    // Hands the bytes to the system in one write and returns how many it took,
    // all of them unless something failed or the deadline passed.
    virtual int64_t write(const uint8_t* data, int64_t length, QDeadlineTimer deadline) = 0;
    // Returns when everything written has left the line. At the deadline what
    // is still queued is dropped and the drain fails.
    virtual bool drain(QDeadlineTimer deadline) = 0;
    // Closes without dropping anything written: what no drain has waited for
    // goes out first, under the transmission's settings.
    virtual void close() = 0;
    // Why the last step failed, for the user.
    virtual QString errorString() const = 0;
};

// Waits through the worker helper, the event loop going on, for `drain`: a
// blocking call that returns 0 once everything written has left the line,
// otherwise an errno. When the deadline passes first, `flush` drops what is
// still queued (which ends a waiting tcdrain()) and the drain fails; one still
// stuck a moment later is left behind. False, with the reason, on failure.
bool WaitUntilDrained(QDeadlineTimer deadline, std::function<int()> drain, std::function<void()> flush,
                      QString* error);

}  // namespace lp
