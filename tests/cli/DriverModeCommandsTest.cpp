// `--config` with a driver-mode configuration: read, apply, preset, save and
// load run their driver-mode paths against the simulated mouse and the
// simulated filter driver; a configuration file that cannot be used stops the
// tool before anything is touched.
#include <gmock/gmock.h>

#include "CliRunner.h"
#include "sim/DriverStateFile.h"
#include "sim/MouseStateFile.h"

namespace orbic::cli::test {
namespace {

using ::testing::HasSubstr;

Bytes BuiltInImage(int number) {
  const auto resource = orbic::FindResource("ORBIC5xData_Cfg" + std::to_string(number));
  return resource ? Bytes(resource->begin(), resource->end()) : Bytes{};
}

class DriverModeCommandsTest : public CliTest {
 protected:
  void SetUp() override {
    CliTest::SetUp();
    // The mouse answers command 1 as one that allows a driver connection.
    NewMouse("mouse.json", {"--cmd1-reply", "A6"});
    const RunResult driver = Run({"sim", "new-driver", Path("driver.json").string()});
    ASSERT_EQ(driver.exitCode, 0) << driver.err;
    WriteText("drv.ini", "[org]\r\nAp_Mode=1\r\nPath=" + dir_.string() + "/\r\n");
  }
  void WriteText(const std::string& name, const std::string& text) const {
    WriteBytes(Path(name), Bytes(text.begin(), text.end()));
  }
  RunResult InDriverMode(std::vector<std::string> command,
                         const std::string& config = "drv.ini") const {
    std::vector<std::string> args{"--config",           Path(config).string(),
                                  "--simulated",        Path("mouse.json").string(),
                                  "--simulated-driver", Path("driver.json").string()};
    args.insert(args.end(), command.begin(), command.end());
    return Run(args);
  }
  sim::SimulatedFilterDriver Driver() const {
    sim::SimulatedFilterDriver driver;
    std::string error;
    EXPECT_TRUE(sim::LoadDriverState(Path("driver.json").string(), driver, error)) << error;
    return driver;
  }
  sim::SimulatedMouse Mouse() const {
    sim::SimulatedMouse mouse;
    std::string error;
    EXPECT_TRUE(sim::LoadMouseState(Path("mouse.json").string(), mouse, error)) << error;
    return mouse;
  }
  static Bytes Slice(const std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t length) {
    return {bytes.begin() + static_cast<std::ptrdiff_t>(at),
            bytes.begin() + static_cast<std::ptrdiff_t>(at + length)};
  }
};

TEST_F(DriverModeCommandsTest, ReadTakesTheSectionsFromTheDriver) {
  // The driver's Parameter A differs from the mouse's memory.
  Bytes image = BuiltInImage(1);
  image[0x0A] = 0x05;
  image[0x2F] = static_cast<std::uint8_t>(image[0x2F] + 0x05 - 0x09);
  WriteBytes(Path("drvimage.bin"), image);
  ASSERT_EQ(Run({"sim", "new-driver", Path("driver.json").string(), "--image",
                 Path("drvimage.bin").string()})
                .exitCode,
            0);
  const RunResult result = InDriverMode({"read", Path("out.bin").string()});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_THAT(result.out, HasSubstr("filter driver's sections"));
  const Bytes out = ReadBytes(Path("out.bin"));
  ASSERT_EQ(out.size(), 2048u);
  EXPECT_EQ(Slice(out, 0, 48), Slice(image, 0, 48));
  EXPECT_EQ(Slice(out, 48, 8), Slice(image, 48, 8));
  EXPECT_EQ(Slice(out, 64, 55), Slice(image, 64, 55));
  EXPECT_EQ(out[0x0A], 0x05);
}

TEST_F(DriverModeCommandsTest, ApplySendsTheSectionsToTheDriverAndTheLiveStateToTheMouse) {
  // Built-in image 2: LED mode 2 and the Fire Key on button 9 of both key modes.
  WriteBytes(Path("two.bin"), BuiltInImage(2));
  const RunResult result = InDriverMode({"apply", Path("two.bin").string()});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const sim::SimulatedFilterDriver driver = Driver();
  EXPECT_EQ(Slice(driver.memory, 64 + 24, 3), (Bytes{0x06, 0x00, 0xF0}));
  EXPECT_EQ(Slice(driver.memory, 64 + 27 + 24, 3), (Bytes{0x06, 0x00, 0xF0}));
  EXPECT_EQ(Slice(driver.memory, 240, 2), (Bytes{0x00, 0x00}));
  EXPECT_EQ(driver.memory[240 + 2 + 10], 0x00);
  const sim::SimulatedMouse mouse = Mouse();
  EXPECT_EQ(mouse.firmware.liveState[1], 0x02);
  // The mouse's own memory is not written in driver mode.
  EXPECT_EQ(Bytes(mouse.firmware.memory.begin(), mouse.firmware.memory.end()), BuiltInImage(1));
}

TEST_F(DriverModeCommandsTest, SaveWritesTheDriverProfileAndLoadHandsItBack) {
  const RunResult saved = InDriverMode({"save", Path("profile").string()});
  ASSERT_EQ(saved.exitCode, 0) << saved.err;
  Bytes profile = ReadBytes(Path("profile.bin"));
  ASSERT_EQ(profile.size(), 40960u);
  const sim::SimulatedFilterDriver before = Driver();
  EXPECT_EQ(Slice(profile, 0, 160), Slice(before.memory, 0, 160));
  EXPECT_EQ(Slice(profile, 164, 40960 - 164), Slice(before.memory, 164, 40960 - 164));

  profile[5000] = 0x5A;
  profile[160] = 0x03;
  profile[161] = 0x02;
  profile[162] = 0x09;
  WriteBytes(Path("changed.bin"), profile);
  const RunResult loaded = InDriverMode({"load", Path("changed.bin").string()});
  ASSERT_EQ(loaded.exitCode, 0) << loaded.err;
  const sim::SimulatedFilterDriver after = Driver();
  EXPECT_EQ(after.memory[5000], 0x5A);
  EXPECT_EQ(Mouse().firmware.liveState, (std::array<std::uint8_t, 4>{0x03, 0x02, 0x09, 0x00}));

  // A file that cannot be a driver profile is refused.
  WriteBytes(Path("short.bin"), Bytes(100, 0));
  const RunResult refused = InDriverMode({"load", Path("short.bin").string()});
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_THAT(refused.err, HasSubstr("short.bin holds 100 bytes"));
}

TEST_F(DriverModeCommandsTest, PresetLoadsItsDriverFileFromTheConfiguredFolder) {
  const RunResult missing = InDriverMode({"preset", "3"});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_THAT(missing.err, HasSubstr("nothing was changed"));

  Bytes preset(4096, 0);
  std::copy_n(BuiltInImage(2).begin(), 2048, preset.begin());
  preset[3000] = 0x77;
  WriteBytes(Path("Driver_ORBIC5xData_Cfg3.bin"), preset);
  const RunResult result = InDriverMode({"preset", "3"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const sim::SimulatedFilterDriver driver = Driver();
  EXPECT_EQ(Slice(driver.memory, 0, 4096), preset);
  EXPECT_EQ(driver.memory[4096], 0x00);
}

TEST_F(DriverModeCommandsTest, AConfigurationFileThatCannotBeUsedExitsWithTwo) {
  struct Case {
    std::string text;  // empty: no file at all
    std::string message;
  };
  const std::vector<Case> cases{
      {"", "bad.ini"},
      {"[other]\nAp_Mode=1\n", "no [org] section"},
      {"[org]\nAp_Mode=driver\n", "Ap_Mode: value \"driver\" is not a decimal integer"},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(Path("bad.ini"));
    if (!c.text.empty()) {
      WriteText("bad.ini", c.text);
    }
    const RunResult result = InDriverMode({"read", Path("out.bin").string()}, "bad.ini");
    EXPECT_EQ(result.exitCode, 2) << c.text;
    EXPECT_THAT(result.err, HasSubstr(c.message)) << c.text;
    EXPECT_FALSE(std::filesystem::exists(Path("out.bin"))) << c.text;
  }
  // A file with only some keys keeps the shipped values of the others.
  WriteText("short.ini", "[org]\nAp_Mode=0\n");
  const RunResult memoryMode = InDriverMode({"read", Path("out.bin").string()}, "short.ini");
  EXPECT_EQ(memoryMode.exitCode, 0) << memoryMode.err;
  EXPECT_THAT(memoryMode.out, HasSubstr("Read 2048 bytes from the mouse"));
}

}  // namespace
}  // namespace orbic::cli::test
