// The bytes that go to the standalone device. Every frame starts with a marker
// byte at offset 0; the bytes after it keep clear of the marker values. Plain
// functions on the transmit buffer; no port, no widgets.
#pragma once

#include <array>
#include <cstdint>

namespace lp {

// As large as the driver's output queue; frames are built from offset 0.
inline constexpr int TxBufferSize = 4096;
using TxBuffer = std::array<uint8_t, TxBufferSize>;

inline constexpr int CommandFrameLength = 3;

// A command or argument byte as sent: 0x00 becomes 0x01, 0xFF becomes 0xFE.
constexpr uint8_t CommandByte(uint8_t v) {
    return v == 0x00 ? 0x01 : v == 0xFF ? 0xFE : v;
}

// Marker 0x00, the command and its argument into tx[0..2]; returns the length.
int BuildCommandFrame(TxBuffer& tx, uint8_t command, uint8_t argument);

// Time the bytes occupy a line at 1200 baud, 8 data bits, no parity.
constexpr int LineMilliseconds(long long bytes, int stopBits) {
    return int((bytes * (1 + 8 + stopBits) * 1000 + 1199) / 1200);
}

}  // namespace lp
