#include "keys/GunPresets.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace orbic::keys {
namespace {

TEST(GunPresetsTest, CodeCoversTheConfiguredNumberOfFireMacros) {
  struct Case {
    int preset;
    int fireMacroCount;
    const char* code;
  };
  const Case cases[] = {
      {1, 1, "0C0101"}, {1, 3, "0C0101"}, {5, 1, "0C0505"},  {6, 1, "0C0606"},
      {6, 2, "0C0607"}, {6, 0, "0C0606"}, {6, 9, "0C0607"},  {7, 1, "0C0808"},
      {7, 2, "0C0809"}, {7, 3, "0C080A"}, {7, -4, "0C0808"}, {7, 4, "0C080A"},
  };
  for (const Case& c : cases) {
    const auto code = GunPresetCode(c.preset, c.fireMacroCount);
    ASSERT_TRUE(code.has_value()) << c.preset;
    EXPECT_EQ(CodeString(*code), c.code) << c.preset << " x" << c.fireMacroCount;
    EXPECT_EQ(GunPresetForCode(*code), &GunPresets()[static_cast<std::size_t>(c.preset - 1)]);
  }
  EXPECT_EQ(GunPresetCode(0, 1), std::nullopt);
  EXPECT_EQ(GunPresetCode(8, 1), std::nullopt);
}

}  // namespace
}  // namespace orbic::keys
