#include "engineer/GunKeyMenu.h"

namespace orbic::engineer {

namespace {

constexpr int kKeyModeStep = 100;

}  // namespace

int EngineerTargetNumber(const keys::EditingTarget& target) {
  return target.IsValid() ? target.keyMode * kKeyModeStep + target.button : -1;
}

std::optional<std::string> LB_ScriptClick(int target, int entry, const fire::GunKeyList& list,
                                          keys::KeyAssignments& keys, params::DataBuf& data) {
  const int keyMode = target / kKeyModeStep;
  const int button = target % kKeyModeStep;
  if (keyMode < 1 || keyMode > keys::kKeyModes || button < 1 || button > keys::kButtons) {
    return std::nullopt;
  }
  if (entry < 1 || entry > list.Count()) {
    return std::nullopt;
  }
  std::string caption = std::string(fire::kGunKeyEntryText) + std::to_string(entry);
  if (!keys.Assign(keyMode, button, keys::CodeString(list.Entry(entry)), data, caption)) {
    return std::nullopt;
  }
  return caption;
}

}  // namespace orbic::engineer
