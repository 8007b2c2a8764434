// A simulated mouse kept in a file: everything survives a save and a load,
// and a damaged file is refused with a clear message, leaving the mouse as it was.
#include "sim/MouseStateFile.h"
#include "support/FileFaults.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <nlohmann/json.hpp>
#include <optional>

namespace orbic::sim {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

// Every field away from its default, so a field that is not saved or not
// loaded shows as a difference.
SimulatedMouse UnusualMouse() {
  SimulatedMouse mouse;
  for (std::size_t i = 0; i < kMouseMemorySize; ++i) {
    mouse.firmware.memory[i] = static_cast<std::uint8_t>(255 - i % 251);
  }
  mouse.identity = {0x1234, 0xABCD, 0x0203, 9};
  mouse.firmware.cmd1Reply = 0xA6;
  mouse.firmware.readyByte = 0x55;
  mouse.firmware.memoryReady = false;
  mouse.firmware.chipByte = 0x35;
  mouse.firmware.acceptsDriver = false;
  mouse.firmware.ledTypeByte = 0x11;
  mouse.firmware.driverId = 0xFEDC;
  mouse.firmware.buttonState = 0x8001;
  mouse.firmware.liveState = {1, 2, 0xFE, 0xFF};
  mouse.firmware.systemReloads = 17;
  mouse.faults.ackPolls = 4;
  mouse.faults.dropAckPercent = 33;
  mouse.faults.neverAck = {0x01, 0x81, 0xFF};
  mouse.faults.neverAnswer = true;
  mouse.faults.stuck = {{0, 0xFF}, {2047, 0x00}};
  mouse.faults.flaky = {{5, 3}, {1000, 0}};
  mouse.faults.unplugAfterPackets = 5'000'000'000ULL;
  mouse.faults.seed = 0xFFFFFFFFu;
  mouse.unplugged = true;
  return mouse;
}

void ExpectSameState(const SimulatedMouse& a, const SimulatedMouse& b) {
  EXPECT_EQ(a.identity.vendorId, b.identity.vendorId);
  EXPECT_EQ(a.identity.productId, b.identity.productId);
  EXPECT_EQ(a.identity.version, b.identity.version);
  EXPECT_EQ(a.identity.featureLength, b.identity.featureLength);
  EXPECT_EQ(a.firmware.memory, b.firmware.memory);
  EXPECT_EQ(a.firmware.cmd1Reply, b.firmware.cmd1Reply);
  EXPECT_EQ(a.firmware.readyByte, b.firmware.readyByte);
  EXPECT_EQ(a.firmware.memoryReady, b.firmware.memoryReady);
  EXPECT_EQ(a.firmware.chipByte, b.firmware.chipByte);
  EXPECT_EQ(a.firmware.acceptsDriver, b.firmware.acceptsDriver);
  EXPECT_EQ(a.firmware.ledTypeByte, b.firmware.ledTypeByte);
  EXPECT_EQ(a.firmware.driverId, b.firmware.driverId);
  EXPECT_EQ(a.firmware.buttonState, b.firmware.buttonState);
  EXPECT_EQ(a.firmware.liveState, b.firmware.liveState);
  EXPECT_EQ(a.firmware.systemReloads, b.firmware.systemReloads);
  EXPECT_EQ(a.faults.ackPolls, b.faults.ackPolls);
  EXPECT_EQ(a.faults.dropAckPercent, b.faults.dropAckPercent);
  EXPECT_EQ(a.faults.neverAck, b.faults.neverAck);
  EXPECT_EQ(a.faults.neverAnswer, b.faults.neverAnswer);
  EXPECT_EQ(a.faults.stuck, b.faults.stuck);
  EXPECT_EQ(a.faults.flaky, b.faults.flaky);
  EXPECT_EQ(a.faults.unplugAfterPackets, b.faults.unplugAfterPackets);
  EXPECT_EQ(a.faults.seed, b.faults.seed);
  EXPECT_EQ(a.unplugged, b.unplugged);
}

class StateFileTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = temp_.Path(); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::string Text(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(Path(name), std::ios::binary) << text;
  }

  orbic::test::TempFolder temp_;
  fs::path dir_;
};

TEST_F(StateFileTest, EveryKnobSurvivesSaveAndLoad) {
  const SimulatedMouse saved = UnusualMouse();
  std::string error;
  ASSERT_TRUE(SaveMouseState(Path("m.json"), saved, error)) << error;
  EXPECT_FALSE(test::TemporaryFilesLeftIn(fs::path(Path("m.json")).parent_path()));

  SimulatedMouse loaded;
  ASSERT_TRUE(LoadMouseState(Path("m.json"), loaded, error)) << error;
  ExpectSameState(loaded, saved);

  // And back: a default mouse loaded over an unusual one replaces every
  // field, an absent unplug count included.
  ASSERT_TRUE(SaveMouseState(Path("d.json"), SimulatedMouse(), error)) << error;
  ASSERT_TRUE(LoadMouseState(Path("d.json"), loaded, error)) << error;
  ExpectSameState(loaded, SimulatedMouse());
}

TEST_F(StateFileTest, SavingReplacesTheFile) {
  std::string error;
  SimulatedMouse mouse;
  ASSERT_TRUE(SaveMouseState(Path("m.json"), mouse, error));
  mouse.firmware.systemReloads = 3;
  ASSERT_TRUE(SaveMouseState(Path("m.json"), mouse, error));
  SimulatedMouse loaded;
  ASSERT_TRUE(LoadMouseState(Path("m.json"), loaded, error));
  EXPECT_EQ(loaded.firmware.systemReloads, 3);

  EXPECT_FALSE(SaveMouseState(Path("no/such/m.json"), mouse, error));
  EXPECT_THAT(error, HasSubstr(Path("no/such/m.json")));
}

struct DamagedFile {
  const char* name;
  // Applied to a valid saved file; returns the text to write, or nullopt to
  // write nothing (the file is missing).
  std::function<std::optional<std::string>(const std::string&)> damage;
  std::string message;
};
void PrintTo(const DamagedFile& c, std::ostream* os) {
  *os << c.name;
}

// A field of a valid file, set to a raw JSON value.
std::function<std::optional<std::string>(const std::string&)> Set(std::string pointer,
                                                                  std::string value) {
  return [pointer, value](const std::string& text) -> std::optional<std::string> {
    auto doc = nlohmann::json::parse(text);
    doc[nlohmann::json::json_pointer(pointer)] = nlohmann::json::parse(value);
    return doc.dump();
  };
}

std::function<std::optional<std::string>(const std::string&)> Remove(std::string parent,
                                                                     std::string key) {
  return [parent, key](const std::string& text) -> std::optional<std::string> {
    auto doc = nlohmann::json::parse(text);
    doc[nlohmann::json::json_pointer(parent)].erase(key);
    return doc.dump();
  };
}

std::function<std::optional<std::string>(const std::string&)> Replace(std::string text) {
  return [text](const std::string&) -> std::optional<std::string> { return text; };
}

class DamagedFileTest : public StateFileTest, public ::testing::WithParamInterface<DamagedFile> {};

TEST_P(DamagedFileTest, IsRefusedAndLeavesTheMouseAsItWas) {
  std::string error;
  ASSERT_TRUE(SaveMouseState(Path("m.json"), SimulatedMouse(), error));
  const std::optional<std::string> text = GetParam().damage(Text("m.json"));
  fs::remove(Path("m.json"));
  if (text) {
    Write("m.json", *text);
  }

  SimulatedMouse mouse = UnusualMouse();
  error.clear();
  EXPECT_FALSE(LoadMouseState(Path("m.json"), mouse, error));
  EXPECT_THAT(error, HasSubstr(Path("m.json")));
  EXPECT_THAT(error, HasSubstr(GetParam().message));
  ExpectSameState(mouse, UnusualMouse());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedFileTest,
    ::testing::Values(
        DamagedFile{"Missing", [](const std::string&) { return std::nullopt; }, "cannot open"},
        DamagedFile{"Empty", Replace(""), "is corrupt"},
        DamagedFile{"Truncated",
                    [](const std::string& text) { return text.substr(0, text.size() / 2); },
                    "is corrupt"},
        DamagedFile{"NotJson", Replace("memory=00\n"), "is corrupt"},
        DamagedFile{"JsonArray", Replace("[1, 2]"), "not a simulated mouse state file"},
        DamagedFile{"OtherFormat", Set("/format", "\"orbic40-profile\""),
                    "not a simulated mouse state file"},
        DamagedFile{"NewerVersion", Set("/version", "2"), "unsupported state file version"},
        DamagedFile{"MemoryShort", Set("/firmware/memory", "\"00FF\""), "memory must be 2048"},
        DamagedFile{"MemoryNotHex",
                    [](const std::string& text) -> std::optional<std::string> {
                      auto doc = nlohmann::json::parse(text);
                      std::string memory = doc["firmware"]["memory"];
                      memory[100] = 'G';
                      doc["firmware"]["memory"] = memory;
                      return doc.dump();
                    },
                    "memory must be 2048"},
        DamagedFile{"LiveStateShort", Set("/firmware/liveState", "\"00\""), "liveState"},
        DamagedFile{"FieldMissing", Remove("/faults", "ackPolls"), "ackPolls"},
        DamagedFile{"IdentityMissing", Remove("", "identity"), "identity"},
        DamagedFile{"TextForNumber", Set("/faults/ackPolls", "\"3\""), "ackPolls"},
        DamagedFile{"FractionForNumber", Set("/identity/featureLength", "8.5"), "featureLength"},
        DamagedFile{"ByteTooLarge", Set("/firmware/chipByte", "256"), "chipByte"},
        DamagedFile{"IdNegative", Set("/identity/vendorId", "-1"), "vendorId"},
        DamagedFile{"IdTooLarge", Set("/identity/productId", "65536"), "productId"},
        DamagedFile{"NeverAckTooLarge", Set("/faults/neverAck", "[1, 300]"), "neverAck"},
        DamagedFile{"StuckValueTooLarge", Set("/faults/stuck", "{\"5\": 256}"), "stuck 5"},
        DamagedFile{"StuckAddressNotNumber", Set("/faults/stuck", "{\"five\": 1}"), "five"},
        DamagedFile{"FlakyAddressTooLarge", Set("/faults/flaky", "{\"70000\": 1}"), "70000"},
        DamagedFile{"UnplugCountNegative", Set("/faults/unplugAfterPackets", "-5"),
                    "unplugAfterPackets"},
        DamagedFile{"FlagNotBoolean", Set("/unplugged", "1"), "unplugged"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StateFileTest, FolderIsRefused) {
  fs::create_directory(Path("m.json"));
  SimulatedMouse mouse = UnusualMouse();
  std::string error;
  EXPECT_FALSE(LoadMouseState(Path("m.json"), mouse, error));
  EXPECT_THAT(error, HasSubstr(Path("m.json") + " is a folder"));
  ExpectSameState(mouse, UnusualMouse());
}

}  // namespace
}  // namespace orbic::sim
