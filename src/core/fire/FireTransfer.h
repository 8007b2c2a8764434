#pragma once

#include "params/ParameterImage.h"

namespace orbic {
class UiHost;
}
namespace orbic::device {
class CommandChannel;
}

namespace orbic::fire {

enum class FireTransferOutcome {
  kNoMouse,      // no open mouse: nothing sent
  kNoAnswer,     // command 1 or 3 failed, or the mouse was not ready
  kNotAllowed,   // MemoryReady clear or ChipCode not 0x98: nothing written
  kWriteFailed,  // a table did not reach the mouse as sent
  kWritten,      // all four tables written and read back equal
};

// Writes the fire macro key table, the Y-offset table, the colour table and
// the fire area of `data`, in that order, in one exchange (commands 1 and 3,
// the writes, commands 8 and 2), with the device timer off and the loading
// window shown. The tables are read back so a lost chunk is reported rather
// than taken as written. Shows no message.
FireTransferOutcome TransferFireData(device::CommandChannel& channel, UiHost& ui,
                                     const params::DataBuf& data);

}  // namespace orbic::fire
