// `orbic40-cli read` against simulated mice: what reaches OUT.bin, stdout,
// stderr and the exit status, for a healthy mouse and for each way it can fail.
#include <gmock/gmock.h>

#include <nlohmann/json.hpp>

#include "CliRunner.h"
#include "sim/MouseStateFile.h"
#include "support/FileFaults.h"

namespace orbic::cli::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* kDeviceLost =
    "Please Connect the USB Device\n\nPlease check your device is attached to USB port";
constexpr std::size_t kIdentification = 54;

// The end of a long trace, for failure output.
std::string Tail(const std::string& text) {
  return text.size() > 400 ? text.substr(text.size() - 400) : text;
}

class ReadTest : public CliTest {
 protected:
  RunResult Read(std::vector<std::string> before = {}) const {
    std::vector<std::string> args{"--simulated", Path("mouse.json").string()};
    args.insert(args.end(), before.begin(), before.end());
    args.push_back("read");
    args.push_back(Path("out.bin").string());
    return Run(args);
  }
  // An image file for `sim new --image`.
  std::string ImageFile(const Bytes& image) const {
    WriteBytes(Path("image.bin"), image);
    return Path("image.bin").string();
  }
  sim::SimulatedMouse LoadState() const {
    sim::SimulatedMouse mouse;
    std::string error;
    EXPECT_TRUE(sim::LoadMouseState(Path("mouse.json").string(), mouse, error)) << error;
    return mouse;
  }
};

TEST_F(ReadTest, HealthyMouseGivesDefaultImageAndSummary) {
  const Bytes image = DefaultImage();
  ASSERT_EQ(image.size(), 2048u);
  NewMouse("mouse.json");
  const RunResult result = Read();
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(ReadBytes(Path("out.bin")), image);
  EXPECT_EQ(result.err, "");
  EXPECT_THAT(result.out, HasSubstr("Read 2048 bytes from the mouse into"));
  EXPECT_THAT(result.out, HasSubstr("Parameter A ok"));
  EXPECT_THAT(result.out, HasSubstr("CPI 1: 800"));
}

// The file holds what the mouse sent, not the repaired working copy nor the
// built-in defaults.
TEST_F(ReadTest, OutputIsTheImageAsReadBeforeRepair) {
  Bytes image = DefaultImage();
  ASSERT_EQ(image.size(), 2048u);
  image[47] ^= 0x5A;  // Parameter A checksum
  for (std::size_t i = 300; i < 306; ++i) {
    image[i] = static_cast<std::uint8_t>(i * 7);
  }
  image[2047] = 0x42;  // last byte: the short last chunk
  NewMouse("mouse.json", {"--image", ImageFile(image)});
  const RunResult result = Read();
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(ReadBytes(Path("out.bin")), image);
  EXPECT_THAT(result.out, HasSubstr("Parameter A repaired"));
}

TEST_F(ReadTest, TraceShowsTheConnectionStartInOrder) {
  NewMouse("mouse.json");
  const RunResult result = Read({"--trace"});
  ASSERT_EQ(result.exitCode, 0) << result.err;

  std::vector<std::uint8_t> expected{0x01, 0x03, 0x04, 0x05, 0x04};
  expected.insert(expected.end(), 342, 0x05);
  expected.push_back(0x08);
  expected.push_back(0x02);

  const std::vector<Bytes> sent = SentPackets(result.err);
  std::vector<std::uint8_t> commands;
  for (const Bytes& packet : sent) {
    ASSERT_EQ(packet.size(), 8u);
    EXPECT_EQ(packet[0], 0x04);
    commands.push_back(packet[1]);
  }
  ASSERT_EQ(commands, expected);
  EXPECT_EQ(sent[2], (Bytes{0x04, 0x04, 0x36, 0x00, 0x02, 0x00, 0x00, 0x00}));
  EXPECT_EQ(sent[4], (Bytes{0x04, 0x04, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00}));
  // Every request was answered once, done at the first poll.
  EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '<'), 349);
  EXPECT_THAT(result.err, HasSubstr("< 04 A5 00 00 00 00 00 CC"));
}

struct FailureCase {
  const char* name;
  std::vector<std::string> simArgs;
  // Identification bytes written into the image; none: the default image.
  std::optional<std::pair<std::uint8_t, std::uint8_t>> identification;
  std::string message;
};
void PrintTo(const FailureCase& c, std::ostream* os) {
  *os << c.name;
}

class ReadFailureTest : public ReadTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ReadFailureTest, ExitsOneWithMessageAndWritesNothing) {
  const FailureCase& c = GetParam();
  std::vector<std::string> simArgs = c.simArgs;
  if (c.identification) {
    Bytes image = DefaultImage();
    ASSERT_EQ(image.size(), 2048u);
    image[kIdentification] = c.identification->first;
    image[kIdentification + 1] = c.identification->second;
    simArgs.push_back("--image");
    simArgs.push_back(ImageFile(image));
  }
  NewMouse("mouse.json", simArgs);
  const RunResult result = Read();
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_THAT(result.err, HasSubstr(c.message));
  EXPECT_THAT(result.out, Not(HasSubstr("Read 2048 bytes")));
  EXPECT_FALSE(fs::exists(Path("out.bin")));
  EXPECT_FALSE(orbic::test::TemporaryFilesLeftIn(Path("out.bin").parent_path()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadFailureTest,
    ::testing::Values(
        FailureCase{"IdentificationMismatch",
                    {},
                    std::pair{0x12, 0x34},
                    "The mouse manufacturer or product id error"},
        FailureCase{"IdentificationHalfMatches",
                    {},
                    std::pair{0xFF, 0x00},
                    "The mouse manufacturer or product id error"},
        FailureCase{"MemoryNotReady", {"--memory-ready", "0"}, {}, "Finding the specified device"},
        FailureCase{"WrongVendorAndProduct", {"--ident", "1BCF,08A1"}, {}, kDeviceLost},
        FailureCase{"WrongVendor", {"--ident", "0x1BCE,0x08A0"}, {}, kDeviceLost},
        FailureCase{"WrongVersion", {"--version", "0105"}, {}, kDeviceLost},
        FailureCase{"FeatureLengthNine", {"--feature-length", "9"}, {}, kDeviceLost},
        FailureCase{"Unplugged", {"--unplugged"}, {}, kDeviceLost},
        FailureCase{
            "CommandOneNeverAcknowledged", {"--never-ack", "1"}, {}, "The mouse did not answer."},
        FailureCase{"NeverAnswers", {"--never-answer"}, {}, "The mouse did not answer."},
        // Five polls per attempt, and each attempt starts the count again.
        FailureCase{"AcknowledgedTooLate", {"--ack-polls", "5"}, {}, "The mouse did not answer."},
        FailureCase{"ReadStartNeverAcknowledged",
                    {"--never-ack", "04"},
                    {},
                    "The mouse stopped answering during the read"},
        FailureCase{"ChunksNeverAcknowledged",
                    {"--never-ack", "5"},
                    {},
                    "The mouse stopped answering during the read"},
        FailureCase{"UnpluggedMidTransfer",
                    {"--unplug-after", "500"},
                    {},
                    "The mouse was pulled out while it was being read"},
        // Gone after the request for the short last chunk, before its answer.
        FailureCase{"UnpluggedAtLastChunk",
                    {"--unplug-after", "693"},
                    {},
                    "The mouse was pulled out while it was being read"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ToleratedCase {
  const char* name;
  std::vector<std::string> simArgs;
  std::optional<std::pair<std::uint8_t, std::uint8_t>> identification;
  // Address and value the mouse reports in place of the image's byte.
  std::optional<std::pair<std::size_t, std::uint8_t>> stuck;
  bool extraPackets;  // the fault must show in the trace, or it was not exercised
};
void PrintTo(const ToleratedCase& c, std::ostream* os) {
  *os << c.name;
}

class ReadToleratedTest : public ReadTest, public ::testing::WithParamInterface<ToleratedCase> {};

TEST_P(ReadToleratedTest, ReadsTheMouseImage) {
  const ToleratedCase& c = GetParam();
  Bytes image = DefaultImage();
  ASSERT_EQ(image.size(), 2048u);
  std::vector<std::string> simArgs = c.simArgs;
  if (c.identification) {
    image[kIdentification] = c.identification->first;
    image[kIdentification + 1] = c.identification->second;
    simArgs.push_back("--image");
    simArgs.push_back(ImageFile(image));
  }
  NewMouse("mouse.json", simArgs);
  const RunResult result = Read({"--trace"});
  ASSERT_EQ(result.exitCode, 0) << Tail(result.err);

  Bytes expected = image;
  if (c.stuck) {
    expected[c.stuck->first] = c.stuck->second;
  }
  EXPECT_EQ(ReadBytes(Path("out.bin")), expected);
  const auto lines = std::count(result.err.begin(), result.err.end(), '\n');
  if (c.extraPackets) {
    EXPECT_GT(lines, 2 * 349);
  } else {
    EXPECT_EQ(lines, 2 * 349);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadToleratedTest,
    ::testing::Values(
        ToleratedCase{"AckAfterThreePolls", {"--ack-polls", "3"}, {}, {}, true},
        ToleratedCase{"AckAtLastPoll", {"--ack-polls", "4"}, {}, {}, true},
        ToleratedCase{"TwentyPercentLost", {"--drop-ack", "20"}, {}, {}, true},
        ToleratedCase{"ReservePairZeroZero", {}, std::pair{0x00, 0x00}, {}, false},
        ToleratedCase{"StuckByte", {"--stuck", "0x12C=AB"}, {}, std::pair{300u, 0xAB}, false},
        ToleratedCase{
            "DriverCapableFirmware", {"--cmd1-reply", "A6", "--chip-byte", "35"}, {}, {}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReadTest, StateIsSavedBackAfterRead) {
  Bytes image = DefaultImage();
  ASSERT_EQ(image.size(), 2048u);
  image[1000] = 0x77;
  NewMouse("mouse.json", {"--image", ImageFile(image), "--stuck", "1000=11"});

  ASSERT_EQ(Read().exitCode, 0);
  sim::SimulatedMouse mouse = LoadState();
  // A stuck byte is how the mouse answers, not what its memory holds.
  EXPECT_TRUE(std::equal(image.begin(), image.end(), mouse.firmware.memory.begin()));
  EXPECT_EQ(mouse.firmware.systemReloads, 1);
  EXPECT_EQ(mouse.faults.stuck.at(1000), 0x11);

  // The saved mouse serves the next run as well.
  ASSERT_EQ(Read().exitCode, 0);
  EXPECT_EQ(LoadState().firmware.systemReloads, 2);
}

TEST_F(ReadTest, MouseUnpluggedMidReadStaysUnplugged) {
  NewMouse("mouse.json", {"--unplug-after", "100"});
  EXPECT_EQ(Read().exitCode, 1);
  EXPECT_TRUE(LoadState().unplugged);
  const RunResult again = Read();
  EXPECT_EQ(again.exitCode, 1);
  EXPECT_THAT(again.err, HasSubstr(kDeviceLost));
}

TEST_F(ReadTest, JsonSummaryParses) {
  Bytes image = DefaultImage();
  ASSERT_EQ(image.size(), 2048u);
  image[47] ^= 0x5A;
  NewMouse("mouse.json", {"--image", ImageFile(image)});
  const RunResult result = Read({"--json"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const auto doc = nlohmann::json::parse(result.out);
  EXPECT_EQ(doc.at("file"), Path("out.bin").string());
  EXPECT_TRUE(doc.at("repaired").at("parameterA").get<bool>());
  EXPECT_FALSE(doc.at("repaired").at("profile").get<bool>());
  EXPECT_EQ(doc.at("dpi").at("levels").at(0).at("text"), "800");
  EXPECT_EQ(doc.at("vendorCode"), 255);
  EXPECT_EQ(doc.at("productCode"), 255);
}

// A failed read under --json prints nothing on stdout that a script could take as a result.
TEST_F(ReadTest, JsonFailureLeavesStdoutEmpty) {
  NewMouse("mouse.json", {"--memory-ready", "0"});
  const RunResult result = Read({"--json"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_THAT(result.err, HasSubstr("Finding the specified device"));
}

enum class StateFile { kMissing, kFolder, kHealthy, kText };

struct BadInputCase {
  const char* name;
  StateFile state;
  std::string stateText;  // for kText
  std::string message;    // "$DIR" stands for the test folder
  std::string out = "out.bin";
  bool outIsFolder = false;
};
void PrintTo(const BadInputCase& c, std::ostream* os) {
  *os << c.name;
}

class ReadBadInputTest : public ReadTest, public ::testing::WithParamInterface<BadInputCase> {};

TEST_P(ReadBadInputTest, ExitsTwoNamingTheProblem) {
  const BadInputCase& c = GetParam();
  if (c.state == StateFile::kHealthy) {
    NewMouse("mouse.json");
  } else if (c.state == StateFile::kText) {
    std::ofstream(Path("mouse.json")) << c.stateText;
  } else if (c.state == StateFile::kFolder) {
    fs::create_directory(Path("mouse.json"));
  }
  if (c.outIsFolder) {
    fs::create_directory(Path(c.out));
  }
  const RunResult result =
      Run({"--simulated", Path("mouse.json").string(), "read", Path(c.out).string()});
  EXPECT_EQ(result.exitCode, 2);
  std::string message = c.message;
  // "$DIR/": the test folder and the system's own separator.
  if (auto at = message.find("$DIR/"); at != std::string::npos) {
    message.replace(at, 5, (dir_ / "").string());
  }
  EXPECT_THAT(result.err, HasSubstr(message));
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(fs::is_regular_file(Path(c.out)), false);
  EXPECT_FALSE(orbic::test::TemporaryFilesLeftIn(Path("x").parent_path()));
  // A state file that could not be read is left as it was.
  if (c.state == StateFile::kMissing) {
    EXPECT_FALSE(fs::exists(Path("mouse.json")));
  } else if (c.state == StateFile::kFolder) {
    EXPECT_TRUE(fs::is_directory(Path("mouse.json")));
  } else if (c.state == StateFile::kText) {
    EXPECT_EQ(ReadText(Path("mouse.json")), c.stateText);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadBadInputTest,
    ::testing::Values(
        BadInputCase{"MissingState", StateFile::kMissing, "", "cannot open $DIR/mouse.json"},
        BadInputCase{"StateIsNotJson", StateFile::kText,
                     "{\"format\": \"orbic40-simulated-mouse\", ", "$DIR/mouse.json is corrupt"},
        BadInputCase{"StateOfAnotherFormat", StateFile::kText, "{\"format\": \"something else\"}",
                     "not a simulated mouse state file"},
        BadInputCase{"StateIsAFolder", StateFile::kFolder, "", "$DIR/mouse.json is a folder"},
        BadInputCase{"OutputFolderMissing", StateFile::kHealthy, "", "$DIR/no/such/folder/out.bin",
                     "no/such/folder/out.bin"},
        BadInputCase{"OutputIsAFolder", StateFile::kHealthy, "", "cannot replace $DIR/outdir",
                     "outdir", true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orbic::cli::test
