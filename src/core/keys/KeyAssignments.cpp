#include "keys/KeyAssignments.h"

#include "keys/KeyCode.h"
#include "params/ImageFields.h"

namespace orbic::keys {

void KeyAssignments::Clear() {
  codes_.fill({});
  labels_.fill({});
  chosenLabels_.fill({});
}

void KeyAssignments::DataBufToCodes(const params::DataBuf& data) {
  Clear();
  for (int mode = 1; mode <= kKeyModes; ++mode) {
    for (int button = 1; button <= kButtons; ++button) {
      const std::size_t at = params::profile::ButtonOffset(static_cast<std::size_t>(mode),
                                                           static_cast<std::size_t>(button));
      codes_[Index(mode, button)] =
          CodeString(KeyCode{data.profile[at], data.profile[at + 1], data.profile[at + 2]});
    }
  }
  RefreshLabels();
}

bool KeyAssignments::Assign(int keyMode, int button, std::string_view code, params::DataBuf& data) {
  const std::optional<KeyCode> parsed = ParseCodeString(code);
  if (keyMode < 1 || keyMode > kKeyModes || button < 1 || button > kButtons || !parsed) {
    return false;
  }
  const auto bytes = parsed->Bytes();
  const std::size_t at = params::profile::ButtonOffset(static_cast<std::size_t>(keyMode),
                                                       static_cast<std::size_t>(button));
  std::copy(bytes.begin(), bytes.end(), data.profile.begin() + static_cast<std::ptrdiff_t>(at));
  codes_[Index(keyMode, button)] = CodeString(*parsed);
  labels_[Index(keyMode, button)] = labeler_ ? labeler_(codes_[Index(keyMode, button)]) : "";
  chosenLabels_[Index(keyMode, button)].clear();
  return true;
}

bool KeyAssignments::Assign(int keyMode, int button, std::string_view code, params::DataBuf& data,
                            std::string label) {
  if (!Assign(keyMode, button, code, data)) {
    return false;
  }
  labels_[Index(keyMode, button)] = label;
  chosenLabels_[Index(keyMode, button)] = std::move(label);
  return true;
}

void KeyAssignments::RefreshLabels() {
  for (std::size_t i = 0; i < codes_.size(); ++i) {
    if (!chosenLabels_[i].empty()) {
      labels_[i] = chosenLabels_[i];
      continue;
    }
    labels_[i] = codes_[i].empty() || !labeler_ ? std::string() : labeler_(codes_[i]);
  }
}

bool KeyAssignments::AnyLabelEquals(int keyMode, std::string_view label) const {
  for (int button = 1; button <= kButtons; ++button) {
    if (labels_[Index(keyMode, button)] == label) {
      return true;
    }
  }
  return false;
}

}  // namespace orbic::keys
