#include "keys/LabelTexts.h"

#include <algorithm>
#include <array>

namespace orbic::keys {
namespace {

struct KeyText {
  std::string_view key;
  std::string_view text;
};

constexpr std::array kTableOne = {
    KeyText{"Str210", "Left Click"},   KeyText{"Str211", "Right Click"},
    KeyText{"Str212", "Middle Click"}, KeyText{"Str213", "Back"},
    KeyText{"Str214", "Forward"},      KeyText{"Str220", "Fire Key"},
    KeyText{"Str221", "LED ON/OFF"},   KeyText{"Str222", "AIM"},
    KeyText{"Str223", "Gun Key Fn"},   KeyText{"Str224", "Key Off"},
    KeyText{"Str225", "Profile"},      KeyText{"Str226", "LED Mode"},
    KeyText{"Str231", "DPI Loop"},     KeyText{"Str232", "DPI +"},
    KeyText{"Str233", "DPI -"},        KeyText{"Str240", "My Computer"},
    KeyText{"Str241", "Calculator"},   KeyText{"Str242", "E-Mail"},
    KeyText{"Str243", "Desktop"},      KeyText{"Str250", "Play/Pause"},
    KeyText{"Str251", "Stop"},         KeyText{"Str252", "Previous Track"},
    KeyText{"Str253", "Next Track"},   KeyText{"Str254", "Volume +"},
    KeyText{"Str255", "Volume -"},     KeyText{"Str256", "Mute"},
    KeyText{"Str260", "Home"},         KeyText{"Str261", "Search"},
    KeyText{"Str262", "Web Back"},     KeyText{"Str263", "Web Forward"},
    KeyText{"Str264", "Stop"},         KeyText{"Str265", "Refresh"},
    KeyText{"Str266", "Favorites"},    KeyText{"Str600", "AKM"},
    KeyText{"Str601", "M16"},          KeyText{"Str602", "M4"},
    KeyText{"Str603", "UMP9"},         KeyText{"Str604", "SCAR-L"},
    KeyText{"Str605", "5.56mm Fire"},  KeyText{"Str606", "7.62mm Fire"},
};

}  // namespace

std::string TableOneText(std::string_view key) {
  const auto found = std::find_if(kTableOne.begin(), kTableOne.end(),
                                  [key](const KeyText& entry) { return entry.key == key; });
  return found == kTableOne.end() ? std::string() : std::string(found->text);
}

}  // namespace orbic::keys
