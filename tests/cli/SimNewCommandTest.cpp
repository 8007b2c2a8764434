// `orbic40-cli sim new`: every option reaches the state file, and a bad value
// stops the command before anything is written.
#include <gmock/gmock.h>

#include "CliRunner.h"
#include "sim/MouseStateFile.h"
#include "support/FileFaults.h"

namespace orbic::cli::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Pair;

class SimNewTest : public CliTest {
 protected:
  sim::SimulatedMouse Load(const std::string& name) const {
    sim::SimulatedMouse mouse;
    std::string error;
    EXPECT_TRUE(sim::LoadMouseState(Path(name).string(), mouse, error)) << error;
    return mouse;
  }
};

TEST_F(SimNewTest, DefaultsAreAHealthyMouseWithImageOne) {
  NewMouse("mouse.json");
  const sim::SimulatedMouse mouse = Load("mouse.json");
  const Bytes image = DefaultImage();
  ASSERT_EQ(image.size(), 2048u);
  EXPECT_TRUE(std::equal(image.begin(), image.end(), mouse.firmware.memory.begin()));
  EXPECT_EQ(mouse.identity.vendorId, 0x1BCF);
  EXPECT_EQ(mouse.identity.productId, 0x08A0);
  EXPECT_EQ(mouse.identity.version, 0x0104);
  EXPECT_EQ(mouse.identity.featureLength, 8u);
  EXPECT_TRUE(mouse.firmware.memoryReady);
  EXPECT_EQ(mouse.faults.ackPolls, 0);
  EXPECT_EQ(mouse.faults.dropAckPercent, 0);
  EXPECT_TRUE(mouse.faults.neverAck.empty());
  EXPECT_FALSE(mouse.faults.neverAnswer);
  EXPECT_FALSE(mouse.faults.unplugAfterPackets.has_value());
  EXPECT_FALSE(mouse.unplugged);
}

// Hexadecimal values are taken with and without 0x, in either case.
TEST_F(SimNewTest, EveryOptionReachesTheStateFile) {
  Bytes image(2048);
  for (std::size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<std::uint8_t>(i ^ (i >> 8));
  }
  WriteBytes(Path("image.bin"), image);
  NewMouse("mouse.json", {"--image",          Path("image.bin").string(),
                          "--chip-byte",      "0x35",
                          "--ident",          "1bcf,0X08a1",
                          "--version",        "0105",
                          "--feature-length", "9",
                          "--memory-ready",   "0",
                          "--cmd1-reply",     "A6",
                          "--ack-polls",      "3",
                          "--drop-ack",       "20",
                          "--never-ack",      "1",
                          "--never-ack",      "0x81",
                          "--stuck",          "100=AB",
                          "--stuck",          "0x7FF=0x01",
                          "--flaky",          "5=2",
                          "--flaky",          "2047=1000",
                          "--unplug-after",   "4000000000",
                          "--never-answer",   "--unplugged"});
  const sim::SimulatedMouse mouse = Load("mouse.json");
  EXPECT_TRUE(std::equal(image.begin(), image.end(), mouse.firmware.memory.begin()));
  EXPECT_EQ(mouse.firmware.chipByte, 0x35);
  EXPECT_EQ(mouse.identity.vendorId, 0x1BCF);
  EXPECT_EQ(mouse.identity.productId, 0x08A1);
  EXPECT_EQ(mouse.identity.version, 0x0105);
  EXPECT_EQ(mouse.identity.featureLength, 9u);
  EXPECT_FALSE(mouse.firmware.memoryReady);
  EXPECT_EQ(mouse.firmware.cmd1Reply, 0xA6);
  EXPECT_EQ(mouse.faults.ackPolls, 3);
  EXPECT_EQ(mouse.faults.dropAckPercent, 20);
  EXPECT_THAT(mouse.faults.neverAck, ElementsAre(0x01, 0x81));
  EXPECT_THAT(mouse.faults.stuck, ElementsAre(Pair(100, 0xAB), Pair(2047, 0x01)));
  EXPECT_THAT(mouse.faults.flaky, ElementsAre(Pair(5, 2), Pair(2047, 1000)));
  EXPECT_EQ(mouse.faults.unplugAfterPackets, 4000000000u);
  EXPECT_TRUE(mouse.faults.neverAnswer);
  EXPECT_TRUE(mouse.unplugged);
}

struct BadOption {
  const char* name;
  std::vector<std::string> args;
  std::string message;  // "$DIR" stands for the test folder
  int imageSize = -1;   // writes image.bin of this size first
};
void PrintTo(const BadOption& c, std::ostream* os) {
  *os << c.name;
}

class SimNewBadOptionTest : public SimNewTest, public ::testing::WithParamInterface<BadOption> {};

TEST_P(SimNewBadOptionTest, ExitsTwoAndCreatesNothing) {
  const BadOption& c = GetParam();
  if (c.imageSize >= 0) {
    WriteBytes(Path("image.bin"), Bytes(static_cast<std::size_t>(c.imageSize), 0xFF));
  }
  std::vector<std::string> args{"sim", "new", Path("mouse.json").string()};
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
  EXPECT_FALSE(fs::exists(Path("mouse.json")));
  EXPECT_FALSE(orbic::test::TemporaryFilesLeftIn(Path("mouse.json").parent_path()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimNewBadOptionTest,
    ::testing::Values(
        BadOption{"ImageOneByteShort",
                  {"--image", "$DIR/image.bin"},
                  "$DIR/image.bin: an image must be exactly 2048 bytes, this one has 2047",
                  2047},
        BadOption{"ImageOneByteLong", {"--image", "$DIR/image.bin"}, "this one has 2049", 2049},
        BadOption{"ImageEmpty", {"--image", "$DIR/image.bin"}, "this one has 0", 0},
        BadOption{"ImageMissing", {"--image", "$DIR/none.bin"}, "cannot open $DIR/none.bin"},
        BadOption{"ChipByteNotHex", {"--chip-byte", "ZZ"}, "--chip-byte: 'ZZ'"},
        BadOption{"ChipByteTooLarge", {"--chip-byte", "100"}, "--chip-byte: '100'"},
        BadOption{"StuckAddressPastMemory", {"--stuck", "5000=1"}, "--stuck: '5000=1'"},
        BadOption{"StuckAddressJustPastMemory", {"--stuck", "2048=1"}, "--stuck: '2048=1'"},
        BadOption{"StuckValueTooLarge", {"--stuck", "5=100"}, "--stuck: '5=100'"},
        BadOption{"StuckWithoutValue", {"--stuck", "5"}, "--stuck: '5'"},
        BadOption{"FlakyCountNotNumber", {"--flaky", "5=x"}, "--flaky: '5=x'"},
        BadOption{"IdentWithoutProduct", {"--ident", "1BCF"}, "--ident: '1BCF'"},
        BadOption{"IdentProductNotHex", {"--ident", "1BCF,GGGG"}, "--ident: 'GGGG'"},
        BadOption{"VersionTooLarge", {"--version", "10000"}, "--version: '10000'"},
        BadOption{"FeatureLengthNotNumber", {"--feature-length", "8x"}, "--feature-length: '8x'"},
        BadOption{"MemoryReadyNotFlag", {"--memory-ready", "2"}, "--memory-ready: '2'"},
        BadOption{"DropAckOverHundred", {"--drop-ack", "101"}, "--drop-ack: '101'"},
        BadOption{"NeverAckTooLarge", {"--never-ack", "1FF"}, "--never-ack: '1FF'"},
        BadOption{"UnplugAfterNegative", {"--unplug-after", "-1"}, "--unplug-after"},
        BadOption{"CmdOneReplyEmptyHex", {"--cmd1-reply", "0x"}, "--cmd1-reply: '0x'"},
        // Command-line syntax errors are bad input too.
        BadOption{"UnknownOption", {"--bogus"}, "--bogus"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SimNewTest, MissingStatePathIsBadInput) {
  const RunResult result = Run({"sim", "new"});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_THAT(result.err, HasSubstr("STATE"));
  EXPECT_TRUE(Files().empty());
}

TEST_F(SimNewTest, UnwritableStatePathIsBadInput) {
  const RunResult result = Run({"sim", "new", Path("no/folder/mouse.json").string()});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_THAT(result.err, HasSubstr(Path("no/folder/mouse.json").string()));
  EXPECT_TRUE(Files().empty());
}

}  // namespace
}  // namespace orbic::cli::test
