// One transmission over an open serial device: each frame in one write under
// the line's deadline, the drain, and what happened (the step that failed, the
// device and the reason) for the windows to show. The upload's sequence of
// frames is here too. Plain computations over the device interface; no widgets.
#pragma once

#include <QDeadlineTimer>
#include <QString>
#include <cstdint>
#include <functional>

#include "link/frames.h"
#include "link/serialdevice.h"

namespace lp {

enum class LinkStep { Open, Configure, Write };

// What a transmission did. Only its first failure counts.
struct LinkReport {
    bool failed = false;
    LinkStep step = LinkStep::Open;
    QString device;
    QString reason;     // may be empty
    int64_t taken = 0;  // bytes the port took

    void fail(LinkStep failedStep, const QString& why);
    // The warning's first line, after the step that failed.
    QString heading() const;
    // The heading and the reason on one line, for the log.
    QString summary() const;
    // The warning's text: the heading, then the device and the reason.
    QString warning() const;
};

// Texts of the warnings (shown under the usual caption of a warning).
QString CannotOpenPort();
QString CannotConfigurePort();
QString CannotWritePort();

// Room for the bytes on the line: twice their line time and some slack for a
// system that hands bytes on late.
QDeadlineTimer LineDeadline(int64_t bytes, int stopBits);

// Writes data[0..length) in one write. False, reported, when the write failed
// or the port took fewer bytes; false at once after an earlier failure.
bool SendFrame(SerialDevice& port, const LineSettings& line, const uint8_t* data, uint32_t length,
               LinkReport& report);

// Waits until the bytes taken have left the line; false, reported, when they
// could not be drained. Nothing to wait for after a failure.
bool DrainLine(SerialDevice& port, const LineSettings& line, LinkReport& report);

// The figure and the name to upload, with the window's mirror choices.
struct UploadPicture {
    Coords X{};
    Coords Y{};
    QString name;
    bool invertX = false;
    bool invertY = false;
};

// Takes the transmission log a piece at a time: text for the end of the last
// line, or a line of its own.
using UploadLog = std::function<void(const QString& text, bool newLine)>;

// The upload: the header, the two halves and the end frame, each frame's log
// first and then the frame, stopping at the first failure. True when all four
// went out.
bool SendUpload(SerialDevice& port, const LineSettings& line, const UploadPicture& picture, TxBuffer& tx,
                LinkReport& report, const UploadLog& log);

}  // namespace lp
