// The bytes that go to the standalone device. Every frame starts with a marker
// byte at offset 0; the bytes after it keep clear of the marker values. Plain
// functions on the transmit buffer; no port, no widgets.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "figure/figuredata.h"

namespace lp {

// As large as the driver's output queue; frames are built from offset 0.
inline constexpr int kTxBufferSize = 4096;
using TxBuffer = std::array<uint8_t, kTxBufferSize>;

inline constexpr int kCommandFrameLength = 3;

// A command or argument byte as sent: 0x00 becomes 0x01, 0xFF becomes 0xFE.
constexpr uint8_t CommandByte(uint8_t v) {
    return v == 0x00 ? 0x01 : v == 0xFF ? 0xFE : v;
}

// Marker 0x00, the command and its argument into tx[0..2]; returns the length.
int BuildCommandFrame(TxBuffer& tx, uint8_t command, uint8_t argument);

// The ready-picture window's buttons and the command each sends, always with
// the argument 1: the eight stored pictures, then the three modes of work,
// whose codes do not follow the buttons' order.
struct ButtonCommand {
    const char* button;
    uint8_t command;
};
inline constexpr uint8_t kCommandArgument = 1;
inline constexpr std::array<ButtonCommand, 11> kButtonCommands{{
    {"SpeedButton1", 1},
    {"SpeedButton2", 2},
    {"SpeedButton3", 3},
    {"SpeedButton4", 4},
    {"SpeedButton5", 5},
    {"SpeedButton6", 6},
    {"SpeedButton7", 7},
    {"SpeedButton8", 8},
    {"SpeedButtonHand", 134},
    {"SpeedButtonAvto", 132},
    {"SpeedButtonSound", 133},
}};

// The upload: a header with the picture name, the two halves of the figure
// and an end frame, 533 bytes in all, none carrying a checksum.
inline constexpr int kUploadHeaderLength = 17;
inline constexpr int kUploadHalfLength = 257;
inline constexpr int kUploadEndLength = 2;
inline constexpr int kUploadLength = kUploadHeaderLength + 2 * kUploadHalfLength + kUploadEndLength;
inline constexpr int kNameLength = 8;
using NameBytes = std::array<uint8_t, kNameLength>;

// A Windows-1251 byte of the name as sent: 0x21..0x7E unchanged, 0xA0..0xFF
// moved down to 0x21..0x80, everything else a blank.
constexpr uint8_t NameByte(uint8_t cp1251) {
    if (cp1251 >= 0x7F) cp1251 = uint8_t(cp1251 - 0x7F);
    return cp1251 <= 0x20 ? 0x20 : cp1251;
}

// The eight name bytes of the text's first eight characters in Windows-1251,
// blanks after its end. A character the code page cannot hold is a blank.
NameBytes PictureNameBytes(const QString& text);

// A coordinate as sent: mirrored when asked, then kept within 0x02..0xFD.
constexpr uint8_t CoordByte(uint8_t v, bool invert) {
    const int w = invert ? 255 - v : v;
    return uint8_t(w < 2 ? 2 : w > 253 ? 253 : w);
}

// Each builder puts its frame into tx from offset 0 and returns the length;
// the log text for the frame goes to *log (one piece, to append in one step).
// The header: marker 0x00, the bytes 1 to 8, the name bytes. Its log is the
// first line of the transmission log.
int BuildHeaderFrame(TxBuffer& tx, const QString& nameText, QString* log);
// Half 0 (points 0..127, marker 0xFF) or 1 (points 128..255, marker 0xFE), X
// and Y of each point in turn. Its log: one "X-Y   " entry per point.
int BuildHalfFrame(TxBuffer& tx, int half, const Coords& X, const Coords& Y, bool invertX, bool invertY,
                   QString* log);
// Marker 0x01 and the letter x.
int BuildEndFrame(TxBuffer& tx);

// Fixed texts of the log.
inline const QString kLogWaiting = QStringLiteral(" Waiting... ");
QString LogPointsHeading();  // " Запись данных(X-Y):  "
// The summary at the end of the last line: "    всего отправлено 533 байт ".
QString UploadSummary(long long bytes);

// Time the bytes occupy a line at 1200 baud, 8 data bits, no parity.
constexpr int LineMilliseconds(long long bytes, int stopBits) {
    return int((bytes * (1 + 8 + stopBits) * 1000 + 1199) / 1200);
}

}  // namespace lp
