#include "keys/FixedFunctions.h"

#include <algorithm>
#include <array>

#include "keys/MacroReferences.h"

namespace orbic::keys {
namespace {

using G = MenuGroup;
namespace cu = consumer_usage;
namespace ct = code_type;
namespace mb = mouse_button;

constexpr KeyCode Plain(std::uint8_t type) {
  return {type, 0, 0};
}
constexpr KeyCode Button(std::uint8_t bit) {
  return {ct::kMouseButton, bit, 0};
}

constexpr std::uint8_t kUsageD = 0x07;

constexpr std::array kFixedFunctions = {
    FixedFunction{900, G::kStandardMouseKeys, "Key_Left", Button(mb::kLeft), "Str210"},
    FixedFunction{901, G::kStandardMouseKeys, "Key_Right", Button(mb::kRight), "Str211"},
    FixedFunction{902, G::kStandardMouseKeys, "Key_Middle", Button(mb::kMiddle), "Str212"},
    FixedFunction{903, G::kStandardMouseKeys, "Key_B4", Button(mb::kBack), "Str213"},
    FixedFunction{904, G::kStandardMouseKeys, "Key_B5", Button(mb::kForward), "Str214"},
    FixedFunction{1000, G::kSpecialKeys, "Key_Fire", kFireKeyCode, "Str220"},
    FixedFunction{1001, G::kSpecialKeys, "Key_LEDSwitch", Plain(ct::kLedSwitch), "Str221"},
    FixedFunction{1002, G::kSpecialKeys, "Key_AIMKey", AimCode(0), "Str222"},
    FixedFunction{1003, G::kSpecialKeys, "Key_FnFire", Plain(ct::kGunKeyFn), "Str223"},
    FixedFunction{1004, G::kSpecialKeys, "Key_KeyOff", Plain(ct::kKeyOff), "Str224"},
    FixedFunction{1005, G::kSpecialKeys, "Key_KeyMode", Plain(ct::kKeyModeSwitch), "Str225"},
    FixedFunction{1006, G::kSpecialKeys, "Key_LEDMode", Plain(ct::kLedMode), "Str226"},
    FixedFunction{2000, G::kDpi, "Key_CPI", Plain(ct::kDpiLoop), "Str231"},
    FixedFunction{2001, G::kDpi, "Key_CPII", Plain(ct::kDpiUp), "Str232"},
    FixedFunction{2002, G::kDpi, "Key_CPID", Plain(ct::kDpiDown), "Str233"},
    FixedFunction{1100, G::kOthers, "Key_Computer", ConsumerCode(cu::kMyComputer), "Str240"},
    FixedFunction{1101, G::kOthers, "Key_Calculator", ConsumerCode(cu::kCalculator), "Str241"},
    FixedFunction{1102, G::kOthers, "Key_EMail", ConsumerCode(cu::kEmail), "Str242"},
    FixedFunction{1103, G::kOthers, "Key_Desktop", KeyboardCode(modifier::kWin, kUsageD), "Str243"},
    FixedFunction{1300, G::kMedia, "Key_PlayPause", ConsumerCode(cu::kPlayPause), "Str250"},
    FixedFunction{1301, G::kMedia, "Key_Stop", ConsumerCode(cu::kStop), "Str251"},
    FixedFunction{1302, G::kMedia, "Key_PreviousTrack", ConsumerCode(cu::kPreviousTrack), "Str252"},
    FixedFunction{1303, G::kMedia, "Key_NextTrack", ConsumerCode(cu::kNextTrack), "Str253"},
    FixedFunction{1304, G::kMedia, "Key_VolumePlus", ConsumerCode(cu::kVolumeUp), "Str254"},
    FixedFunction{1305, G::kMedia, "Key_VolumeMinus", ConsumerCode(cu::kVolumeDown), "Str255"},
    FixedFunction{1306, G::kMedia, "Key_Mute", ConsumerCode(cu::kMute), "Str256"},
    FixedFunction{1400, G::kWeb, "Key_WWWHome", ConsumerCode(cu::kWebHome), "Str260"},
    FixedFunction{1401, G::kWeb, "Key_WWWSearch", ConsumerCode(cu::kWebSearch), "Str261"},
    FixedFunction{1402, G::kWeb, "Key_WWWBack", ConsumerCode(cu::kWebBack), "Str262"},
    FixedFunction{1403, G::kWeb, "Key_WWWForward", ConsumerCode(cu::kWebForward), "Str263"},
    FixedFunction{1404, G::kWeb, "Key_WWWStop", ConsumerCode(cu::kWebStop), "Str264"},
    FixedFunction{1405, G::kWeb, "Key_WWWRefresh", ConsumerCode(cu::kWebRefresh), "Str265"},
    FixedFunction{1406, G::kWeb, "Key_WWWFavorites", ConsumerCode(cu::kWebFavorites), "Str266"},
};

}  // namespace

std::span<const FixedFunction> FixedFunctions() {
  return kFixedFunctions;
}

const FixedFunction* FindFixedFunction(int identifier) {
  const auto found =
      std::find_if(kFixedFunctions.begin(), kFixedFunctions.end(),
                   [identifier](const FixedFunction& row) { return row.identifier == identifier; });
  return found == kFixedFunctions.end() ? nullptr : &*found;
}

std::string CodeForFunction(int identifier, std::uint8_t aimDpiIndex) {
  const FixedFunction* row = FindFixedFunction(identifier);
  if (row == nullptr) {
    return {};
  }
  return CodeString(identifier == kAimFunction ? AimCode(aimDpiIndex) : row->code);
}

}  // namespace orbic::keys
