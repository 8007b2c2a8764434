// `image slots` and `image set ... button.M.N=macro:LIBRARY:INDEX`.
#include <gmock/gmock.h>

#include <nlohmann/json.hpp>

#include "CliRunner.h"
#include "macros/MacroCodec.h"
#include "macros/MacroLibrary.h"

namespace orbic::cli::test {
namespace {

using ::testing::HasSubstr;
using json = nlohmann::json;

constexpr std::size_t kProfile = 0x40;

macros::MacroRecord Macro(const std::string& name, int key, macros::StopMode stop) {
  macros::MacroRecord record;
  record.name = *macros::EncodeName(name);
  const std::string code = std::to_string(key);
  EXPECT_TRUE(macros::EncodeMacroLines({"00", "1 A CODE:82" + code, "2 A CODE:02" + code}, stop,
                                       record.content)
                  .ok);
  return record;
}

class SlotsCommandTest : public CliTest {
 protected:
  void SetUp() override {
    CliTest::SetUp();
    macros::MacroLibrary library;
    for (int i = 0; i < 8; ++i) {
      library.Add(
          Macro("Macro " + std::to_string(i), 10 + i,
                i == 1 ? macros::StopMode::kUntilKeyRelease : macros::StopMode::kAfterMacroIsOver));
    }
    const auto bytes = library.Bytes();
    WriteBytes(Path("Macro.bin"), bytes);
    WriteBytes(Path("in.bin"), DefaultImage());
  }

  std::string Lib(int index) const {
    return "macro:" + Path("Macro.bin").string() + ":" + std::to_string(index);
  }

  RunResult Set(const std::vector<std::string>& changes) const {
    std::vector<std::string> args{"image", "set", Path("in.bin").string(),
                                  Path("out.bin").string()};
    args.insert(args.end(), changes.begin(), changes.end());
    return Run(args);
  }

  json Slots(const std::string& image) const {
    const RunResult result = Run({"image", "slots", Path(image).string(), "--json"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return result.exitCode == 0 ? json::parse(result.out)["slots"] : json::array();
  }
};

TEST_F(SlotsCommandTest, AssignedLibraryMacrosLandInSlotsAndButtons) {
  const RunResult result =
      Set({"button.2.3=" + Lib(1), "button.1.2=" + Lib(0), "button.1.9=" + Lib(1)});
  ASSERT_EQ(result.exitCode, 0) << result.err;

  const Bytes out = ReadBytes(Path("out.bin"));
  ASSERT_EQ(out.size(), 2048u);
  // Key mode 2 button 3 at Profile offset 33: the first slot, stop on release.
  EXPECT_EQ(Bytes(out.begin() + kProfile + 33, out.begin() + kProfile + 36),
            (Bytes{0x0E, 0x01, 0x21}));
  EXPECT_EQ(Bytes(out.begin() + kProfile + 3, out.begin() + kProfile + 6),
            (Bytes{0x06, 0x02, 0x21}));
  EXPECT_EQ(Bytes(out.begin() + kProfile + 24, out.begin() + kProfile + 27),
            (Bytes{0x0E, 0x01, 0x21}));
  const auto one = Macro("Macro 1", 11, macros::StopMode::kUntilKeyRelease).Bytes();
  EXPECT_TRUE(std::equal(one.begin(), one.end(), out.begin() + 0x100));

  const json slots = Slots("out.bin");
  ASSERT_EQ(slots.size(), 6u);
  EXPECT_EQ(slots[0]["name"], "Macro 1");
  EXPECT_EQ(slots[0]["address"], "0121");
  EXPECT_EQ(slots[0]["stopMode"], 1);
  EXPECT_EQ(slots[0]["lines"], json::array({"00", "1 N CODE:8211", "2 N CODE:0211"}));
  EXPECT_EQ(slots[0]["buttons"], json::array({"1.9", "2.3"}));
  EXPECT_EQ(slots[1]["name"], "Macro 0");
  EXPECT_EQ(slots[1]["stopMode"], 0);
  for (std::size_t i = 2; i < 6; ++i) {
    EXPECT_EQ(slots[i]["empty"], true) << i;
    EXPECT_EQ(slots[i]["buttons"], json::array()) << i;
  }

  // The labels name the macros.
  const RunResult decoded = Run({"decode", Path("out.bin").string(), "--json"});
  ASSERT_EQ(decoded.exitCode, 0) << decoded.err;
  EXPECT_EQ(json::parse(decoded.out)["buttons"]["2"][2]["label"], "Macro 1");
}

TEST_F(SlotsCommandTest, TheCommandLineFillsAllSixSlotsAndThenRefuses) {
  std::vector<std::string> changes;
  for (int button = 2; button <= 7; ++button) {
    changes.push_back("button.1." + std::to_string(button) + "=" + Lib(button - 2));
  }
  ASSERT_EQ(Set(changes).exitCode, 0);
  const Bytes out = ReadBytes(Path("out.bin"));
  EXPECT_EQ(Bytes(out.begin() + kProfile + 15, out.begin() + kProfile + 18),
            (Bytes{0x06, 0x06, 0x21}));  // button 6: slot 5
  EXPECT_EQ(Bytes(out.begin() + kProfile + 18, out.begin() + kProfile + 21),
            (Bytes{0x06, 0x07, 0x21}));  // button 7: slot 6

  changes.push_back("button.2.2=" + Lib(7));
  const RunResult refused = Set(changes);
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_THAT(refused.err, HasSubstr("button.2.2: no free macro slot"));
}

TEST_F(SlotsCommandTest, BadMacroChangesAreRefused) {
  WriteBytes(Path("short.bin"), Bytes(25599, 0));
  struct Case {
    std::string change;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"button.1.3=" + Lib(8), "holds 8 macros, so there is no macro 8"},
      {"button.1.3=" + Lib(100), "is not a macro index from 0 to 99"},
      {"button.1.3=macro:" + Path("Macro.bin").string() + ":-1", "is not a macro index"},
      {"button.1.3=macro:" + Path("Macro.bin").string(), "is not LIBRARY:INDEX"},
      {"button.1.3=macro:" + Path("none.bin").string() + ":0", "none.bin"},
      {"button.1.3=macro:" + Path("short.bin").string() + ":0", "exactly 25600 bytes"},
      {"button.1.1=" + Lib(0), "Please keep a Left Key"},
      {"button.3.1=" + Lib(0), "key mode must be 1..2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.change);
    const RunResult result = Set({c.change});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_THAT(result.err, HasSubstr(c.message));
    EXPECT_FALSE(fs::exists(Path("out.bin")));
  }
}

TEST_F(SlotsCommandTest, ImageSlotsReportsADamagedSlotAsEmptied) {
  Bytes image = DefaultImage();
  const auto five = Macro("Five", 12, macros::StopMode::kAfterMacroIsOver).Bytes();
  std::copy(five.begin(), five.end(), image.begin() + 0x600);
  const auto six = Macro("Six", 13, macros::StopMode::kAfterMacroIsOver).Bytes();
  std::copy(six.begin(), six.end(), image.begin() + 0x700);
  image[0x700 + 32 + 3] ^= 0x01;  // slot 6's key code
  WriteBytes(Path("damaged.bin"), image);

  const json slots = Slots("damaged.bin");
  EXPECT_EQ(slots[4]["name"], "Five");
  EXPECT_EQ(slots[4]["emptiedByCheck"], false);
  EXPECT_EQ(slots[4]["lines"], json::array({"00", "1 O CODE:8212", "2 O CODE:0212"}));
  EXPECT_EQ(slots[5]["name"], "Six");
  EXPECT_EQ(slots[5]["emptiedByCheck"], true);
  EXPECT_EQ(slots[5]["eventBytes"], 0);

  const RunResult text = Run({"image", "slots", Path("damaged.bin").string()});
  EXPECT_EQ(text.exitCode, 0);
  EXPECT_THAT(text.out, HasSubstr("Slot 5 (0621) \"Five\": Stop after the macro is over"));
  EXPECT_THAT(text.out, HasSubstr("Slot 6 (0721) \"Six\": its content failed the checksum"));
  EXPECT_THAT(text.out, HasSubstr("Slot 1 (0121) empty"));

  WriteBytes(Path("cut.bin"), Bytes(2000, 0));
  const RunResult cut = Run({"image", "slots", Path("cut.bin").string()});
  EXPECT_EQ(cut.exitCode, 2);
  EXPECT_THAT(cut.err, HasSubstr("2000"));
}

}  // namespace
}  // namespace orbic::cli::test
