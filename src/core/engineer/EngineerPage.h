#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "params/DeviceOptions.h"
#include "params/ParameterImage.h"

namespace orbic::engineer {

inline constexpr int kColourChannels = 3;  // R, G, B

// The engineer page's own number fields: the vendor and product codes, the
// fire macro colours and the read-only fire macro Y offsets. Each change is
// corrected at once and kept in the settings, where the next write-back
// finds it; colours and offsets also go into the working copy at once, so
// the fire page shows them before then.
class EngineerPage {
 public:
  EngineerPage(params::DeviceOptions& options, params::DataBuf& data)
      : options_(options), data_(data) {
    RefreshFromOptions();
  }

  // Every field from the settings (after a read, a load or another page's
  // edit). A lone "-" stays while its offset is unchanged.
  void RefreshFromOptions();

  void edt_VendorIDChange(std::string_view text);
  void edt_ProductIDChange(std::string_view text);
  // Fire macro n = 1..10, channel 0..2 (R, G, B); other numbers are ignored.
  void edt_FireMacroColorChange(int n, int channel, std::string_view text);
  // The Y-offset field of fire macro n = 1..10 was set to `text`.
  void TLRefreshYOffset(int n, std::string_view text);

  const std::string& VendorText() const { return vendor_; }
  const std::string& ProductText() const { return product_; }
  const std::string& ColourText(int n, int channel) const;
  const std::string& YOffsetText(int n) const;

 private:
  static bool IsFireMacro(int n) { return n >= 1 && n <= params::kFireMacroCount; }

  params::DeviceOptions& options_;
  params::DataBuf& data_;
  std::string vendor_;
  std::string product_;
  std::array<std::array<std::string, kColourChannels>, params::kFireMacroCount> colours_;
  std::array<std::string, params::kFireMacroCount> yOffsets_;
  // The offset stored when a field became a lone "-".
  std::array<std::optional<int>, params::kFireMacroCount> minusOver_;
};

}  // namespace orbic::engineer
