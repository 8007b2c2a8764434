// `orbic40-cli sim new-driver` and `driver-info`: the options reach the
// driver's state file, bad input stops before anything is written, and the
// global --simulated-driver option puts the driver behind the tool.
#include <gmock/gmock.h>

#include <nlohmann/json.hpp>

#include "CliRunner.h"
#include "sim/DriverStateFile.h"
#include "sim/MouseStateFile.h"
#include "support/FileFaults.h"

namespace orbic::cli::test {
namespace {

using ::testing::HasSubstr;

class SimNewDriverTest : public CliTest {
 protected:
  sim::SimulatedFilterDriver Load(const std::string& name) const {
    sim::SimulatedFilterDriver driver;
    std::string error;
    EXPECT_TRUE(sim::LoadDriverState(Path(name).string(), driver, error)) << error;
    return driver;
  }
  void NewDriver(const std::string& state, const std::vector<std::string>& extra = {}) const {
    std::vector<std::string> args{"sim", "new-driver", Path(state).string()};
    args.insert(args.end(), extra.begin(), extra.end());
    const RunResult result = Run(args);
    ASSERT_EQ(result.exitCode, 0) << result.err;
  }
  RunResult Info(bool json = false) const {
    std::vector<std::string> args{"--simulated", Path("mouse.json").string(), "--simulated-driver",
                                  Path("driver.json").string()};
    if (json) {
      args.push_back("--json");
    }
    args.push_back("driver-info");
    return Run(args);
  }
};

TEST_F(SimNewDriverTest, DefaultsAreAPresentDriverHoldingImageOne) {
  NewDriver("driver.json");
  const sim::SimulatedFilterDriver driver = Load("driver.json");
  const Bytes image = DefaultImage();
  ASSERT_EQ(image.size(), 2048u);
  Bytes expected(102400, 0);
  std::copy(image.begin(), image.end(), expected.begin());
  std::fill_n(expected.begin() + 160, 4, 0);  // the live state starts at zero
  EXPECT_EQ(driver.memory, expected);
  EXPECT_EQ(driver.id, 0x1234);  // the simulated mouse's default driver id
  EXPECT_TRUE(driver.present);
  EXPECT_FALSE(driver.failFullLoad);
  EXPECT_TRUE(driver.Interfaces().empty());
}

TEST_F(SimNewDriverTest, EveryOptionReachesTheStateFile) {
  Bytes image(40960);
  for (std::size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<std::uint8_t>(i ^ (i >> 8) ^ 0x5A);
  }
  WriteBytes(Path("profile.bin"), image);
  NewDriver("driver.json", {"--id", "0xbeef", "--image", Path("profile.bin").string(),
                            "--fail-default", "--absent"});
  const sim::SimulatedFilterDriver driver = Load("driver.json");
  Bytes expected = image;
  expected.resize(102400, 0);
  EXPECT_EQ(driver.memory, expected);
  EXPECT_EQ(driver.id, 0xBEEF);
  EXPECT_FALSE(driver.present);
  EXPECT_TRUE(driver.failFullLoad);

  // A full-size image is taken whole.
  image.assign(102400, 0xC3);
  WriteBytes(Path("full.bin"), image);
  NewDriver("full.json", {"--image", Path("full.bin").string()});
  EXPECT_EQ(Load("full.json").memory, image);
}

struct BadDriverOption {
  const char* name;
  std::vector<std::string> args;
  std::string message;  // "$DIR" stands for the test folder
  int imageSize = -1;   // writes image.bin of this size first
};
void PrintTo(const BadDriverOption& c, std::ostream* os) {
  *os << c.name;
}

class SimNewDriverBadOptionTest : public SimNewDriverTest,
                                  public ::testing::WithParamInterface<BadDriverOption> {};

TEST_P(SimNewDriverBadOptionTest, ExitsTwoAndCreatesNothing) {
  const BadDriverOption& c = GetParam();
  if (c.imageSize >= 0) {
    WriteBytes(Path("image.bin"), Bytes(static_cast<std::size_t>(c.imageSize), 0xFF));
  }
  std::vector<std::string> args{"sim", "new-driver", Path("driver.json").string()};
  for (const std::string& arg : c.args) {
    args.push_back(arg.rfind("$DIR", 0) == 0 ? dir_.string() + arg.substr(4) : arg);
  }
  const RunResult result = Run(args);
  EXPECT_EQ(result.exitCode, 2);
  std::string message = c.message;
  if (auto at = message.find("$DIR"); at != std::string::npos) {
    message.replace(at, 4, dir_.string());
  }
  EXPECT_THAT(result.err, HasSubstr(message));
  EXPECT_FALSE(fs::exists(Path("driver.json")));
  EXPECT_FALSE(orbic::test::TemporaryFilesLeftIn(Path("driver.json").parent_path()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimNewDriverBadOptionTest,
    ::testing::Values(
        BadDriverOption{"ImageOneByteTooLong",
                        {"--image", "$DIR/image.bin"},
                        "$DIR/image.bin: a driver image must hold 1 to 102400 bytes, this one "
                        "has 102401",
                        102401},
        BadDriverOption{"ImageEmpty", {"--image", "$DIR/image.bin"}, "this one has 0", 0},
        BadDriverOption{"ImageMissing", {"--image", "$DIR/none.bin"}, "cannot open $DIR/none.bin"},
        BadDriverOption{"IdNotHex", {"--id", "12G4"}, "--id: '12G4'"},
        BadDriverOption{"IdTooLarge", {"--id", "10000"}, "--id: '10000'"},
        BadDriverOption{"IdEmptyHex", {"--id", "0x"}, "--id: '0x'"},
        BadDriverOption{"UnknownOption", {"--bogus"}, "--bogus"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SimNewDriverTest, MissingOrUnwritableStatePathIsBadInput) {
  RunResult result = Run({"sim", "new-driver"});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_THAT(result.err, HasSubstr("DRVSTATE"));
  result = Run({"sim", "new-driver", Path("no/folder/driver.json").string()});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_THAT(result.err, HasSubstr(Path("no/folder/driver.json").string()));
  EXPECT_TRUE(Files().empty());
}

// The mouse's driver id finds the driver; its sections come back as stored.
TEST_F(SimNewDriverTest, DriverInfoShowsTheDriverFoundByTheMousesId) {
  NewMouse("mouse.json");
  Bytes image = DefaultImage();
  image.resize(256, 0);
  for (std::size_t i = 160; i < 164; ++i) {
    image[i] = static_cast<std::uint8_t>(i - 159);
  }
  for (std::size_t i = 0; i < 11; ++i) {
    image[242 + i] = static_cast<std::uint8_t>(0xB0 + i);
  }
  WriteBytes(Path("image.bin"), image);
  NewDriver("driver.json", {"--image", Path("image.bin").string()});

  const RunResult text = Info();
  ASSERT_EQ(text.exitCode, 0) << text.err;
  EXPECT_THAT(text.out, HasSubstr("Filter driver id 1234\n"));
  EXPECT_THAT(text.out, HasSubstr("Live state:  01 02 03 04\n"));
  EXPECT_THAT(text.out, HasSubstr("Fire Key:    B0 B1 B2 B3 B4 B5 B6 B7 B8 B9 BA\n"));

  const RunResult json = Info(true);
  ASSERT_EQ(json.exitCode, 0) << json.err;
  const auto doc = nlohmann::json::parse(json.out);
  EXPECT_EQ(doc.at("id"), "1234");
  EXPECT_EQ(doc.at("liveState"), "01 02 03 04");
  const std::string parameterB = doc.at("parameterB");
  char expectedB[32];
  std::snprintf(expectedB, sizeof expectedB, "%02X %02X", image[48], image[49]);
  EXPECT_EQ(parameterB.substr(0, 5), expectedB);
  EXPECT_EQ(doc.at("profile").get<std::string>().size(), 55u * 3 - 1);
}

struct InfoFailure {
  const char* name;
  std::vector<std::string> mouseArgs;
  std::vector<std::string> driverArgs;
  int exitCode;
  std::string message;
};

TEST_F(SimNewDriverTest, DriverInfoSaysWhatIsMissing) {
  const std::vector<InfoFailure> cases = {
      {"OtherId", {}, {"--id", "4321"}, 1, "No filter driver with id 1234 was found."},
      {"DriverAbsent", {}, {"--absent"}, 1, "No filter driver with id 1234 was found."},
      {"MouseUnplugged", {"--unplugged"}, {}, 1, "No ORBIC40 mouse found."},
      {"NoDriverIdAnswer", {"--never-ack", "81"}, {}, 1, "The mouse did not report its driver id."},
  };
  for (const InfoFailure& c : cases) {
    SCOPED_TRACE(c.name);
    NewMouse("mouse.json", c.mouseArgs);
    NewDriver("driver.json", c.driverArgs);
    const RunResult result = Info();
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_THAT(result.err, HasSubstr(c.message));
    EXPECT_TRUE(result.out.empty());
  }

  // A damaged driver state file is named and refused.
  NewMouse("mouse.json");
  WriteBytes(Path("driver.json"), Bytes{'{', '}'});
  const RunResult damaged = Info();
  EXPECT_EQ(damaged.exitCode, 2);
  EXPECT_THAT(damaged.err,
              HasSubstr("simulated driver state " + Path("driver.json").string() + " is corrupt"));
}

// The tool works on the stored driver and leaves a loadable file behind.
TEST_F(SimNewDriverTest, DriverInfoReadsTheStoredStateAndSavesItBack) {
  NewMouse("mouse.json");
  NewDriver("driver.json", {"--id", "1234"});
  sim::SimulatedFilterDriver driver = Load("driver.json");
  driver.memory[160] = 0x42;
  std::string error;
  ASSERT_TRUE(sim::SaveDriverState(Path("driver.json").string(), driver, error)) << error;
  const RunResult result = Info();
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_THAT(result.out, HasSubstr("Live state:  42 00 00 00"));
  EXPECT_EQ(Load("driver.json").memory[160], 0x42);
}

}  // namespace
}  // namespace orbic::cli::test
