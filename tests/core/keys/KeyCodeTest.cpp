#include "keys/KeyCode.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "keys/MacroReferences.h"

namespace orbic::keys {
namespace {

TEST(KeyCodeTest, CodeStringsRoundTrip) {
  const KeyCode codes[] = {{0x00, 0x00, 0x00}, {0x01, 0x01, 0x00}, {0x02, 0x08, 0x07},
                           {0x0A, 0x0B, 0x00}, {0x0E, 0x01, 0x21}, {0xFF, 0xAB, 0xCD}};
  for (const KeyCode& code : codes) {
    const std::string text = CodeString(code);
    EXPECT_EQ(text.size(), 6u);
    EXPECT_EQ(ParseCodeString(text), code) << text;
  }
  EXPECT_EQ(CodeString({0xFF, 0xAB, 0xCD}), "FFABCD");
  EXPECT_EQ(CodeString(KeyCode::WithOperand(0x06, 0x00F0)), "0600F0");
  EXPECT_EQ(ParseCodeString("0e0121"), (KeyCode{0x0E, 0x01, 0x21}));
}

TEST(KeyCodeTest, MalformedCodeStringsAreRejected) {
  for (const char* text : {"", "0", "01010", "0101000", "0G0100", "01 100", " 10100", "-10100",
                           "0x0100", "01010\n", "ZZZZZZ"}) {
    EXPECT_EQ(ParseCodeString(text), std::nullopt) << '"' << text << '"';
  }
  EXPECT_EQ(ParseCodeString(std::string("01\0"
                                        "100",
                                        6)),
            std::nullopt);
}

TEST(KeyCodeTest, MacroAddresses) {
  const std::uint16_t base[] = {0x0121, 0x0221, 0x0321, 0x0421, 0x0621, 0x0721};
  for (int slot = 1; slot <= 6; ++slot) {
    EXPECT_EQ(BaseMacroAddress(slot), base[slot - 1]);
    EXPECT_EQ(BaseMacroSlotForAddress(base[slot - 1]), slot);
  }
  EXPECT_EQ(BaseMacroAddress(0), std::nullopt);
  EXPECT_EQ(BaseMacroAddress(7), std::nullopt);
  EXPECT_EQ(BaseMacroSlotForAddress(0x0521), std::nullopt);

  EXPECT_EQ(FireMacroAddress(1), 0x0501);
  EXPECT_EQ(FireMacroAddress(2), 0x0519);
  EXPECT_EQ(FireMacroAddress(10), 0x05D9);
  EXPECT_EQ(FireMacroAddress(0), std::nullopt);
  EXPECT_EQ(FireMacroAddress(11), std::nullopt);

  EXPECT_EQ(DriverMacroAddress(0), 0x0120);
  EXPECT_EQ(DriverMacroAddress(1), 0x0920);
  EXPECT_EQ(DriverMacroAddress(2), 0x1120);
  EXPECT_EQ(DriverMacroAddress(31), 0xF920);
  EXPECT_EQ(DriverMacroAddress(32), std::nullopt);  // would wrap to 0x0120
}

TEST(KeyCodeTest, MacroReferencesFollowTheStopMode) {
  EXPECT_EQ(CodeString(MacroReference(false, 0x0121)), "060121");
  EXPECT_EQ(CodeString(MacroReference(true, 0x0121)), "0E0121");
  EXPECT_EQ(CodeString(MacroReference(true, 0x1120)), "0E1120");
  EXPECT_EQ(CodeString(*FireMacroReference(false, 3)), "0B0531");
  EXPECT_EQ(CodeString(*FireMacroReference(true, 10)), "0E05D9");
  EXPECT_EQ(FireMacroReference(false, 11), std::nullopt);
  EXPECT_EQ(CodeString(kFireKeyCode), "0600F0");
}

}  // namespace
}  // namespace orbic::keys
