#include "link/frames.h"

namespace lp {

int BuildCommandFrame(TxBuffer& tx, uint8_t command, uint8_t argument) {
    tx[0] = 0x00;
    tx[1] = CommandByte(command);
    tx[2] = CommandByte(argument);
    return CommandFrameLength;
}

}  // namespace lp
