// `decode`, `image set`, and the transfer commands `apply`, `load`, `preset`
// and `save` against simulated mice.
#include <gmock/gmock.h>

#include <nlohmann/json.hpp>

#include "CliRunner.h"
#include "sim/MouseStateFile.h"

namespace orbic::cli::test {
namespace {

using ::testing::HasSubstr;
using json = nlohmann::json;

Bytes BuiltInImage(int number) {
  const auto resource = orbic::FindResource("ORBIC5xData_Cfg" + std::to_string(number));
  return resource ? Bytes(resource->begin(), resource->end()) : Bytes{};
}

class SettingsCommandsTest : public CliTest {
 protected:
  std::string Write(const std::string& name, const Bytes& bytes) const {
    WriteBytes(Path(name), bytes);
    return Path(name).string();
  }
  json Decode(const std::string& path) const {
    const RunResult result = Run({"decode", path, "--json"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return result.exitCode == 0 ? json::parse(result.out) : json();
  }
  RunResult Set(const std::string& in, std::vector<std::string> changes) const {
    std::vector<std::string> args{"image", "set", in, Path("out.bin").string()};
    args.insert(args.end(), changes.begin(), changes.end());
    return Run(args);
  }
  RunResult OnMouse(std::vector<std::string> command) const {
    std::vector<std::string> args{"--simulated", Path("mouse.json").string()};
    args.insert(args.end(), command.begin(), command.end());
    return Run(args);
  }
  Bytes MouseMemory() const {
    sim::SimulatedMouse mouse;
    std::string error;
    EXPECT_TRUE(sim::LoadMouseState(Path("mouse.json").string(), mouse, error)) << error;
    return {mouse.firmware.memory.begin(), mouse.firmware.memory.end()};
  }
};

TEST_F(SettingsCommandsTest, DecodeReadsTheFirstBuiltInImageAsItsDescriptionSays) {
  const json s = Decode(Write("1.bin", BuiltInImage(1)));
  EXPECT_EQ(s["repaired"], json::parse(R"({"parameterA":false,"parameterB":[false,false,false],)"
                                       R"("profile":false,"fireKey":false})"));
  EXPECT_EQ(s["ledSwitchMCpi"], false);
  EXPECT_EQ(s["fireFunction"], "Left Key");
  EXPECT_EQ(s["ledModeLCpi"], true);
  EXPECT_EQ(s["saveKeyMode"], "Save");
  EXPECT_EQ(s["sensorOrientation"], "180°");
  EXPECT_EQ(s["ledType"], "MCU LED");
  EXPECT_EQ(s["led"]["brightness"], "All Ligth");
  EXPECT_EQ(s["led"]["count"], 10);
  EXPECT_EQ(s["led"]["modes"], json::array({true, true, true, true, true, true, true}));
  EXPECT_EQ(s["keyModeSwitch"], json::parse(R"({"middle":false,"cpi":false,"gun":false})"));
  EXPECT_EQ(s["smoothing"], true);
  EXPECT_EQ(s["dpi"]["count"], 6);
  const std::vector<std::string> texts{"800", "1600", "2400", "3200", "4800", "6400", "3200"};
  const json colours = json::parse(
      "[[255,0,0],[0,255,0],[0,0,255],[255,0,255],[0,255,255],"
      "[255,255,255],[255,255,255]]");
  for (std::size_t level = 0; level < 7; ++level) {
    EXPECT_EQ(s["dpi"]["levels"][level]["text"], texts[level]) << level;
    EXPECT_EQ(s["dpi"]["levels"][level]["color"], colours[level]) << level;
  }
  EXPECT_EQ(s["dpi"]["current"], 2);
  EXPECT_EQ(s["led"]["mcuMode"], 3);
  EXPECT_EQ(s["led"]["on"], true);
  EXPECT_EQ(s["led"]["step"], 2);
  EXPECT_EQ(s["keyMode"], 1);
  EXPECT_EQ(s["vendorCode"], 255);
  EXPECT_EQ(s["productCode"], 255);
  const std::vector<std::string> labels{"Left Click", "Middle Click", "Right Click",
                                        "Back",       "Forward",      "DPI Loop",
                                        "DPI +",      "DPI -",        "LED Mode"};
  for (const char* mode : {"1", "2"}) {
    for (std::size_t button = 0; button < 9; ++button) {
      EXPECT_EQ(s["buttons"][mode][button]["label"], labels[button]) << mode << button;
    }
  }
  EXPECT_EQ(s["fireKey"], json::parse(R"({"count":3,"interval":6})"));
}

TEST_F(SettingsCommandsTest, DecodeOfTheSecondImageDiffersOnlyWhereItsDescriptionSays) {
  json first = Decode(Write("1.bin", BuiltInImage(1)));
  const json second = Decode(Write("2.bin", BuiltInImage(2)));
  first["ledSwitchMCpi"] = true;
  first["led"]["mcuMode"] = 1;
  const json colours = json::parse(
      "[[0,255,0],[255,0,255],[0,0,255],[255,0,0],[0,255,255],[255,255,0],"
      "[255,255,255]]");
  for (std::size_t level = 0; level < 7; ++level) {
    first["dpi"]["levels"][level]["color"] = colours[level];
  }
  for (const char* mode : {"1", "2"}) {
    first["buttons"][mode][8] = json::parse(R"({"code":"0600F0","label":"Fire Key"})");
  }
  EXPECT_EQ(second, first) << json::diff(first, second).dump();
}

TEST_F(SettingsCommandsTest, DecodeShowsRepairsAndRefusesFilesOfTheWrongSize) {
  Bytes image = BuiltInImage(1);
  image[0x34] ^= 0xFF;  // key mode loses its complement
  image[0x75] ^= 0x01;  // Profile checksum
  const json s = Decode(Write("bad.bin", image));
  EXPECT_EQ(s["repaired"]["parameterB"], json::array({false, false, true}));
  EXPECT_EQ(s["repaired"]["profile"], true);

  image.resize(2047);
  const RunResult result = Run({"decode", Write("short.bin", image)});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_THAT(result.err, HasSubstr("2048"));
}

TEST_F(SettingsCommandsTest, SettingNothingGivesBackTheBuiltInImagesByteForByte) {
  for (int number = 1; number <= 3; ++number) {
    const Bytes image = BuiltInImage(number);
    const RunResult result = Set(Write("in.bin", image), {});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(ReadBytes(Path("out.bin")), image) << "image " << number;
  }
}

// Each change goes through the page handlers; decode of the result shows it,
// and the bytes outside the checked sections stay as they were.
TEST_F(SettingsCommandsTest, ChangesReachTheImage) {
  struct Case {
    std::vector<std::string> changes;
    std::string pointer;  // JSON pointer into decode's output
    json expected;
  };
  const std::vector<Case> cases = {
      {{"dpi.count=3"}, "/dpi/count", 3},
      {{"dpi.current=5"}, "/dpi/current", 5},
      {{"dpi.2.step=11"}, "/dpi/levels/1/step", 11},
      {{"dpi.7.color=1,2,3"}, "/dpi/levels/6/color", json::array({1, 2, 3})},
      {{"led.type=RB LED"}, "/ledType", "RB LED"},
      {{"led.type=Breath LED"}, "/ledType", "Breath LED"},
      {{"led.on=0"}, "/led/on", false},
      {{"led.count=13"}, "/led/count", 13},
      {{"led.mcuMode=6"}, "/led/mcuMode", 6},
      {{"led.step=7"}, "/led/step", 7},
      {{"keyMode=2"}, "/keyMode", 2},
      {{"saveKeyMode=No Save"}, "/saveKeyMode", "No Save"},
      {{"fireKey.count=continuous"}, "/fireKey/count", "continuous"},
      {{"fireKey.count=255"}, "/fireKey/count", 255},
      {{"fireKey.interval=40"}, "/fireKey/interval", 40},
      {{"button.2.3=0600F0"}, "/buttons/2/2/label", "Fire Key"},
      {{"button.1.2=010100", "button.1.1=010200"}, "/buttons/1/0/label", "Right Click"},
      {{"button.1.4=0A0300", "aim=6"}, "/aim", 6},
      // A keyboard code is assigned as the "User-defined" dialog's result is,
      // also over the last left click.
      {{"button.1.1=020004"}, "/buttons/1/0/code", "020004"},
      {{"button.1.4=0A0300", "button.2.9=0A0000", "aim=6"}, "/buttons/2/8/code", "0A0600"},
  };
  const Bytes original = BuiltInImage(1);
  const std::string in = Write("in.bin", original);
  for (const Case& c : cases) {
    const std::string name = c.changes.back();
    const RunResult result = Set(in, c.changes);
    ASSERT_EQ(result.exitCode, 0) << name << ": " << result.err;
    const json s = Decode(Path("out.bin").string());
    EXPECT_EQ(s.at(json::json_pointer(c.pointer)), c.expected) << name;
    EXPECT_EQ(s["repaired"]["profile"], false) << name;
    const Bytes out = ReadBytes(Path("out.bin"));
    EXPECT_TRUE(std::equal(original.begin() + 0x100, original.end(), out.begin() + 0x100)) << name;
  }
}

// The text names the current mode of the LED type shown, as the JSON does:
// an MCU image whose mode code is 0 has none, whatever the RB list holds.
TEST_F(SettingsCommandsTest, DecodeTextAndJsonAgreeOnTheCurrentLedMode) {
  struct Case {
    std::string name;
    Bytes image;
  };
  std::vector<Case> cases;
  for (int number = 1; number <= 3; ++number) {
    cases.push_back({std::to_string(number) + ".bin", BuiltInImage(number)});
  }
  Bytes mcuNoMode = BuiltInImage(1);
  mcuNoMode[0x32] = 0x40;
  mcuNoMode[0x33] = 0xBF;
  cases.push_back({"mcu0.bin", mcuNoMode});
  Bytes rb = BuiltInImage(1);
  rb[0x00] = static_cast<std::uint8_t>(rb[0x00] | 0x80);
  rb[0x01] = static_cast<std::uint8_t>(rb[0x01] | 0x08);
  rb[0x32] = 0x03;
  rb[0x33] = 0xFC;
  cases.push_back({"rb.bin", rb});
  for (const Case& c : cases) {
    const std::string path = Write(c.name, c.image);
    const json s = Decode(path);
    const json& mode = s["ledType"] == "RB LED" ? s["led"]["rbMode"] : s["led"]["mcuMode"];
    const std::string expected =
        "current mode " +
        (mode.is_null() ? std::string("none") : std::to_string(mode.get<int>() + 1));
    const RunResult text = Run({"decode", path});
    ASSERT_EQ(text.exitCode, 0) << c.name << ": " << text.err;
    EXPECT_THAT(text.out, HasSubstr(expected)) << c.name;
  }
  EXPECT_TRUE(Decode(Path("mcu0.bin").string())["led"]["mcuMode"].is_null());
  EXPECT_THAT(Run({"decode", Path("mcu0.bin").string()}).out, HasSubstr("current mode none"));
}

TEST_F(SettingsCommandsTest, BadChangesAreErrorsThatWriteNothing) {
  struct Case {
    std::string change;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"dpi.speed=3", "unknown setting dpi.speed"},
      {"dpi.count=9", "dpi.count"},
      {"dpi.8.step=1", "dpi.8.step"},
      {"dpi.1.step=12", "dpi.1.step"},
      {"dpi.1.color=1,2", "dpi.1.color"},
      {"dpi.1.color=1,2,256", "dpi.1.color"},
      {"led.type=Disco", "led.type"},
      {"led.count=3", "led.count"},
      {"keyMode=3", "keyMode"},
      {"fireKey.count=0", "fireKey.count"},
      {"button.3.1=010100", "button.3.1"},
      {"button.1.1=01010", "button.1.1"},
      {"button.1.1=0101ZZ", "button.1.1"},
      {"button.1.1=050000", "Please keep a Left Key"},
      {"aim=3", "Please select a AIM Key in Profile!"},
      {"nonsense", "NAME=VALUE"},
  };
  const std::string in = Write("in.bin", BuiltInImage(1));
  for (const Case& c : cases) {
    const RunResult result = Set(in, {"dpi.count=4", c.change});
    EXPECT_EQ(result.exitCode, 2) << c.change;
    EXPECT_THAT(result.err, HasSubstr(c.message)) << c.change;
    EXPECT_FALSE(fs::exists(Path("out.bin"))) << c.change;
  }
}

TEST_F(SettingsCommandsTest, ApplyWritesTheFileSettingsAndRepairsALostByte) {
  const std::string in = Write("in.bin", BuiltInImage(1));
  ASSERT_EQ(Set(in, {"dpi.1.step=3", "led.type=Sync LED", "button.1.9=0600F0"}).exitCode, 0);
  const Bytes wanted = ReadBytes(Path("out.bin"));
  NewMouse("mouse.json", {"--flaky", "6=1"});
  const RunResult result = OnMouse({"apply", Path("out.bin").string()});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(MouseMemory(), wanted);
}

TEST_F(SettingsCommandsTest, ApplyEndsInFailWhenAByteNeverSticks) {
  const std::string in = Write("in.bin", BuiltInImage(1));
  ASSERT_EQ(Set(in, {"dpi.1.step=3"}).exitCode, 0);
  NewMouse("mouse.json", {"--stuck", "6=01"});
  const RunResult result = OnMouse({"apply", Path("out.bin").string()});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_THAT(result.err, HasSubstr("Fail"));
}

TEST_F(SettingsCommandsTest, PresetWritesTheMatchingBuiltInImage) {
  for (int number = 1; number <= 3; ++number) {
    NewMouse("mouse.json", {"--image", Write("other.bin", BuiltInImage(number == 1 ? 2 : 1))});
    const RunResult result = OnMouse({"preset", std::to_string(number)});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(MouseMemory(), BuiltInImage(number)) << "preset " << number;
  }
  EXPECT_EQ(OnMouse({"preset", "4"}).exitCode, 2);
}

TEST_F(SettingsCommandsTest, SaveThenLoadCarriesAProfileBetweenMice) {
  const std::string in = Write("in.bin", BuiltInImage(1));
  ASSERT_EQ(Set(in, {"dpi.count=4", "led.count=7", "keyMode=2"}).exitCode, 0);
  const Bytes profile = ReadBytes(Path("out.bin"));
  NewMouse("mouse.json", {"--image", Path("out.bin").string()});
  RunResult result = OnMouse({"save", Path("saved").string()});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(ReadBytes(Path("saved.bin")), profile);  // ".bin" added when missing

  NewMouse("mouse.json");
  result = OnMouse({"load", Path("saved.bin").string()});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(MouseMemory(), profile);
}

TEST_F(SettingsCommandsTest, LoadRefusesAShortProfileAndLeavesTheMouseAlone) {
  Bytes image = BuiltInImage(2);
  image.resize(1000);
  NewMouse("mouse.json");
  const RunResult result = OnMouse({"load", Write("short.bin", image)});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_THAT(result.err, HasSubstr("holds 1000 bytes; a profile holds 2048"));
  EXPECT_EQ(MouseMemory(), BuiltInImage(1));
}

}  // namespace
}  // namespace orbic::cli::test
