#include "engineer/EngineerPage.h"

#include "engineer/EngineerFieldRules.h"
#include "fire/FireMacroTable.h"

namespace orbic::engineer {

namespace {

std::size_t At(int n) {
  return static_cast<std::size_t>(n - 1);
}

}  // namespace

void EngineerPage::RefreshFromOptions() {
  vendor_ = std::to_string(options_.vendorCode);
  product_ = std::to_string(options_.productCode);
  for (int n = 1; n <= params::kFireMacroCount; ++n) {
    for (int channel = 0; channel < kColourChannels; ++channel) {
      colours_[At(n)][static_cast<std::size_t>(channel)] =
          std::to_string(options_.fireMacroColours[At(n)][static_cast<std::size_t>(channel)]);
    }
    const int offset = options_.yOffsets[At(n)];
    if (minusOver_[At(n)] != offset) {
      yOffsets_[At(n)] = std::to_string(offset);
      minusOver_[At(n)].reset();
    }
  }
}

void EngineerPage::edt_VendorIDChange(std::string_view text) {
  const fire::FieldEdit edit = IdentificationCodeEdit(text);
  vendor_ = edit.text;
  options_.vendorCode = *edit.value;
}

void EngineerPage::edt_ProductIDChange(std::string_view text) {
  const fire::FieldEdit edit = IdentificationCodeEdit(text);
  product_ = edit.text;
  options_.productCode = *edit.value;
}

void EngineerPage::edt_FireMacroColorChange(int n, int channel, std::string_view text) {
  if (!IsFireMacro(n) || channel < 0 || channel >= kColourChannels) {
    return;
  }
  const fire::FieldEdit edit = FireColourEdit(text);
  const auto c = static_cast<std::size_t>(channel);
  colours_[At(n)][c] = edit.text;
  std::array<int, 3>& colour = options_.fireMacroColours[At(n)];
  colour[c] = *edit.value;
  fire::SetColour(data_, n, fire::FireColour{colour[0], colour[1], colour[2]});
}

void EngineerPage::TLRefreshYOffset(int n, std::string_view text) {
  if (!IsFireMacro(n)) {
    return;
  }
  const fire::FieldEdit edit = YOffsetEdit(text);
  yOffsets_[At(n)] = edit.text;
  if (edit.value) {
    options_.yOffsets[At(n)] = *edit.value;
    fire::SetYOffset(data_, n, *edit.value);
    minusOver_[At(n)].reset();
  } else {
    minusOver_[At(n)] = options_.yOffsets[At(n)];
  }
}

const std::string& EngineerPage::ColourText(int n, int channel) const {
  static const std::string kNone;
  if (!IsFireMacro(n) || channel < 0 || channel >= kColourChannels) {
    return kNone;
  }
  return colours_[At(n)][static_cast<std::size_t>(channel)];
}

const std::string& EngineerPage::YOffsetText(int n) const {
  static const std::string kNone;
  return IsFireMacro(n) ? yOffsets_[At(n)] : kNone;
}

}  // namespace orbic::engineer
