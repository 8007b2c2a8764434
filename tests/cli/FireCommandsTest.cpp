// `image fire` and the fire settings of `image set`.
#include <gmock/gmock.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "CliRunner.h"

namespace orbic::cli::test {
namespace {

using ::testing::HasSubstr;
using json = nlohmann::json;

constexpr std::size_t kFireArea = 0x500;
constexpr std::size_t kRecordSize = 24;
const Bytes kTypical = {0x00, 0x08, 0xFD, 0x09, 0xFA, 0x05, 0xFE, 0x0C, 0xFC, 0x49};

class FireCommandsTest : public CliTest {
 protected:
  // Default image 1 with the typical record as fire macro `n`.
  std::string ImageWithTypical(int n) const {
    Bytes image = DefaultImage();
    std::copy(kTypical.begin(), kTypical.end(),
              image.begin() + static_cast<std::ptrdiff_t>(kFireArea + kRecordSize * (n - 1)));
    WriteBytes(Path("in.bin"), image);
    return Path("in.bin").string();
  }
  json Fire(const std::string& path) const {
    const RunResult result = Run({"image", "fire", path, "--json"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return result.exitCode == 0 ? json::parse(result.out)["fireMacros"] : json();
  }
  RunResult Set(const std::string& in, std::vector<std::string> changes) const {
    std::vector<std::string> args{"image", "set", in, Path("out.bin").string()};
    args.insert(args.end(), changes.begin(), changes.end());
    return Run(args);
  }
};

TEST_F(FireCommandsTest, FirstDefaultImageShowsTenFireMacrosAndWhereTheirKeyTableDiffers) {
  WriteBytes(Path("d1.bin"), DefaultImage());
  const json macros = Fire(Path("d1.bin").string());
  ASSERT_EQ(macros.size(), 10u);
  const int colours[10][3] = {{255, 0, 0},   {0, 255, 0},    {0, 0, 255},   {255, 255, 0},
                              {255, 0, 255}, {0, 255, 255},  {255, 128, 0}, {255, 0, 128},
                              {0, 255, 128}, {255, 255, 255}};
  for (std::size_t i = 0; i < 10; ++i) {
    EXPECT_EQ(macros[i]["fireMacro"], i + 1);
    // The fire page shows the record's stop byte (0: run to the end); the key
    // table says otherwise, which the listing points out.
    EXPECT_EQ(macros[i]["stop"], "end") << i;
    EXPECT_EQ(macros[i]["keyTableStop"], "release") << i;
    EXPECT_EQ(macros[i]["stopAgrees"], false) << i;
    EXPECT_EQ(macros[i]["yOffset"], 0) << i;
    EXPECT_EQ(macros[i]["color"], json({colours[i][0], colours[i][1], colours[i][2]})) << i;
  }
  const RunResult text = Run({"image", "fire", Path("d1.bin").string()});
  EXPECT_EQ(text.exitCode, 0);
  EXPECT_THAT(text.out, HasSubstr("  10  end"));
  EXPECT_THAT(text.out, HasSubstr("(key table says release)"));
}

TEST_F(FireCommandsTest, StopModeIsTheRecordsAndAgreementIsFlagged) {
  const std::string in = ImageWithTypical(7);
  ASSERT_EQ(Set(in, {"fire.7.stop=1"}).exitCode, 0);
  const json agreed = Fire(Path("out.bin").string())[6];
  EXPECT_EQ(agreed["stop"], "release");
  EXPECT_EQ(agreed["stopAgrees"], true);
  const RunResult text = Run({"image", "fire", Path("out.bin").string()});
  ASSERT_EQ(text.exitCode, 0);
  std::istringstream lines(text.out);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("   7  ", 0) == 0) {
      EXPECT_THAT(line, HasSubstr("release"));
      EXPECT_THAT(line, ::testing::Not(HasSubstr("key table")));
    }
  }
}

// Offline commands read the same behaviour configuration as the mouse ones:
// the gun variants of a given file decide the gun key written.
TEST_F(FireCommandsTest, OfflineCommandsHonourTheConfigurationFile) {
  const std::string in = ImageWithTypical(4);
  const std::string text = "[org]\r\nGun6_Num=1\r\nGun7_Num=2\r\n";
  WriteBytes(Path("guns.ini"), Bytes(text.begin(), text.end()));
  const std::size_t button24 = 0x40 + 27 + 3 * 3;  // key mode 2, button 4
  struct Case {
    bool withConfig;
    std::string gun;
    Bytes code;
  };
  const Case cases[] = {
      {false, "gun:6", {0x0C, 6, 7}},
      {true, "gun:6", {0x0C, 6, 6}},
      {true, "gun:7", {0x0C, 8, 9}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args;
    if (c.withConfig) {
      args = {"--config", Path("guns.ini").string()};
    }
    for (const std::string& arg : {std::string("image"), std::string("set"), in,
                                   Path("out.bin").string(), "button.2.4=" + c.gun}) {
      args.push_back(arg);
    }
    const RunResult result = Run(args);
    ASSERT_EQ(result.exitCode, 0) << c.gun << ": " << result.err;
    const Bytes out = ReadBytes(Path("out.bin"));
    EXPECT_EQ(Bytes(out.begin() + button24, out.begin() + button24 + 3), c.code)
        << c.withConfig << " " << c.gun;
  }
  // A file that is no configuration stops them before anything is read.
  WriteBytes(Path("bad.ini"), Bytes{'x'});
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"decode", in},
        {"image", "fire", in},
        {"image", "set", in, Path("bad.bin").string(), "dpi.count=3"}}) {
    std::vector<std::string> args{"--config", Path("bad.ini").string()};
    args.insert(args.end(), command.begin(), command.end());
    const RunResult result = Run(args);
    EXPECT_EQ(result.exitCode, 2) << command[0];
    EXPECT_THAT(result.err, HasSubstr("bad.ini")) << command[0];
  }
  EXPECT_FALSE(fs::exists(Path("bad.bin")));
}

TEST_F(FireCommandsTest, TypicalRecordShowsItsParametersAndTakesANewCount) {
  const std::string in = ImageWithTypical(4);
  const json shown = Fire(in)[3];
  EXPECT_EQ(shown["count"], 10);
  EXPECT_EQ(shown["y"], 5);
  EXPECT_EQ(shown["interval"], 96);
  EXPECT_EQ(shown["recordStop"], 0);

  const RunResult result = Set(in, {"fire.4.count=3"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const Bytes out = ReadBytes(Path("out.bin"));
  const std::size_t at = kFireArea + 3 * kRecordSize;
  EXPECT_EQ(out[at + 3], 0x02);
  EXPECT_EQ(out[at + 9], 0x56);
  // Nothing else changed: only the edited operand and the checksum.
  Bytes expected = ReadBytes(in);
  expected[at + 3] = 0x02;
  expected[at + 9] = 0x56;
  EXPECT_EQ(out, expected);
  EXPECT_EQ(Fire(Path("out.bin").string())[3]["count"], 3);
}

TEST_F(FireCommandsTest, ParameterChangesGoThroughThePageRules) {
  struct Case {
    std::vector<std::string> changes;
    const char* field;
    json value;
  };
  const Case cases[] = {
      {{"fire.7.interval=2041"}, "interval", nullptr},  // refused below
      {{"fire.7.interval=2040"}, "interval", 2040},
      {{"fire.7.interval=100"}, "interval", 96},
      {{"fire.7.y=100", "fire.7.yoffset=27"}, "yOffset", 27},
      {{"fire.7.yoffset=9", "fire.7.y=20"}, "yOffset", 0},
      {{"fire.7.yoffset=-5"}, "yOffset", -5},
      {{"fire.7.stop=1"}, "stop", "release"},
      {{"fire.7.stop=0"}, "stop", "end"},
      {{"fire.7.color=1,2,3"}, "color", json({1, 2, 3})},
  };
  const std::string in = ImageWithTypical(7);
  for (const Case& c : cases) {
    const RunResult result = Set(in, c.changes);
    if (c.value.is_null()) {
      EXPECT_EQ(result.exitCode, 2) << c.changes[0];
      continue;
    }
    ASSERT_EQ(result.exitCode, 0) << c.changes[0] << ": " << result.err;
    EXPECT_EQ(Fire(Path("out.bin").string())[6][c.field], c.value) << c.changes[0];
  }
  // Stop mode: record byte and key-table type change together.
  ASSERT_EQ(Set(in, {"fire.7.stop=1"}).exitCode, 0);
  const Bytes out = ReadBytes(Path("out.bin"));
  EXPECT_EQ(out[kFireArea + 6 * kRecordSize], 1);
  EXPECT_EQ(out[0x080 + 18], 0x0E);
  // A negative offset is stored with its complement.
  ASSERT_EQ(Set(in, {"fire.7.yoffset=-5"}).exitCode, 0);
  EXPECT_EQ(ReadBytes(Path("out.bin"))[0x0B0 + 12], 0xFB);
  EXPECT_EQ(ReadBytes(Path("out.bin"))[0x0B0 + 13], 0x04);
}

TEST_F(FireCommandsTest, ChangesThatCannotBeMadeAreRefusedWithTheReason) {
  struct Case {
    const char* change;
    const char* says;
  };
  const Case cases[] = {
      {"fire.1.count=3", "has no repeat start"},
      {"fire.4.x=3", "has no X step"},
      {"fire.4.count=0", "not a number from 1 to 256"},
      {"fire.4.y=-1", "not a number from 0 to 127"},
      {"fire.11.count=3", "N = 1..10"},
      {"fire.4.speed=3", "unknown setting"},
      {"fire.4.color=1,2", "not R,G,B"},
      {"fire.4.stop=2", "not a number from 0 to 1"},
      {"button.2.1=gun:1", "Please keep a Left Key"},
      {"button.2.4=gun:8", "gun:1 .. gun:7"},
  };
  const std::string in = ImageWithTypical(4);
  for (const Case& c : cases) {
    const RunResult result = Set(in, {c.change});
    EXPECT_EQ(result.exitCode, 2) << c.change;
    EXPECT_THAT(result.err, HasSubstr(c.says)) << c.change;
    EXPECT_FALSE(fs::exists(Path("out.bin"))) << c.change;
  }

  Bytes odd = ReadBytes(in);
  odd[kFireArea + 3 * kRecordSize] = 0x07;
  WriteBytes(Path("odd.bin"), odd);
  const RunResult result = Set(Path("odd.bin").string(), {"fire.4.count=3"});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_THAT(result.err, HasSubstr("cannot be edited"));
  EXPECT_EQ(Fire(Path("odd.bin").string())[3]["editable"], false);
}

TEST_F(FireCommandsTest, GunPresetBecomesTheButtonsGunKey) {
  struct Case {
    const char* change;
    const char* code;
    const char* label;
  };
  const Case cases[] = {
      {"button.2.4=gun:1", "0C0101", "AKM"},
      {"button.2.9=gun:6", "0C0607", "5.56mm Fire"},
      {"button.2.4=gun:7", "0C080A", "7.62mm Fire"},
  };
  WriteBytes(Path("d1.bin"), DefaultImage());
  for (const Case& c : cases) {
    const RunResult result = Set(Path("d1.bin").string(), {c.change});
    ASSERT_EQ(result.exitCode, 0) << c.change << ": " << result.err;
    const RunResult decoded = Run({"decode", Path("out.bin").string()});
    EXPECT_THAT(decoded.out, HasSubstr(std::string(c.code) + "  " + c.label)) << c.change;
    // The fire macro tables are left as the image had them.
    const Bytes out = ReadBytes(Path("out.bin"));
    const Bytes original = DefaultImage();
    EXPECT_TRUE(std::equal(out.begin() + 0x080, out.begin() + 0x0EE, original.begin() + 0x080));
    EXPECT_TRUE(std::equal(out.begin() + 0x500, out.begin() + 0x600, original.begin() + 0x500));
  }
}

}  // namespace
}  // namespace orbic::cli::test
