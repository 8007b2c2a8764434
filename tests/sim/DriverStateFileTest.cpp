// A simulated filter driver kept in a file: everything survives a save and a
// load, and a damaged file is refused with a clear message, leaving the
// driver as it was.
#include "sim/DriverStateFile.h"
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

// Every field away from its default.
SimulatedFilterDriver UnusualDriver() {
  SimulatedFilterDriver driver;
  for (std::size_t i = 0; i < driver.memory.size(); ++i) {
    driver.memory[i] = static_cast<std::uint8_t>(255 - i % 253);
  }
  driver.id = 0xFEDC;
  driver.present = false;
  driver.failFullLoad = true;
  driver.AddInterface(R"(\\?\other#driver#0001)", false);
  driver.AddInterface("short", true);
  return driver;
}

void ExpectSameState(const SimulatedFilterDriver& a, const SimulatedFilterDriver& b) {
  EXPECT_EQ(a.memory, b.memory);
  EXPECT_EQ(a.id, b.id);
  EXPECT_EQ(a.present, b.present);
  EXPECT_EQ(a.failFullLoad, b.failFullLoad);
  ASSERT_EQ(a.Interfaces().size(), b.Interfaces().size());
  for (std::size_t i = 0; i < a.Interfaces().size(); ++i) {
    EXPECT_EQ(a.Interfaces()[i].path, b.Interfaces()[i].path);
    EXPECT_EQ(a.Interfaces()[i].openable, b.Interfaces()[i].openable);
  }
}

class DriverStateFileTest : public ::testing::Test {
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

TEST_F(DriverStateFileTest, EverythingSurvivesSaveAndLoad) {
  const SimulatedFilterDriver saved = UnusualDriver();
  std::string error;
  ASSERT_TRUE(SaveDriverState(Path("d.json"), saved, error)) << error;
  EXPECT_FALSE(test::TemporaryFilesLeftIn(fs::path(Path("d.json")).parent_path()));

  SimulatedFilterDriver loaded;
  ASSERT_TRUE(LoadDriverState(Path("d.json"), loaded, error)) << error;
  ExpectSameState(loaded, saved);

  // A default driver loaded over an unusual one replaces every field, its
  // list of further interfaces included.
  ASSERT_TRUE(SaveDriverState(Path("plain.json"), SimulatedFilterDriver(), error)) << error;
  ASSERT_TRUE(LoadDriverState(Path("plain.json"), loaded, error)) << error;
  ExpectSameState(loaded, SimulatedFilterDriver());
}

TEST_F(DriverStateFileTest, AnUnwritablePathIsNamed) {
  std::string error;
  EXPECT_FALSE(SaveDriverState(Path("no/such/d.json"), SimulatedFilterDriver(), error));
  EXPECT_THAT(error, HasSubstr(Path("no/such/d.json")));
}

using Damage = std::function<std::optional<std::string>(const std::string&)>;

struct DamagedFile {
  const char* name;
  Damage damage;  // valid text in; the text to write, or nullopt for no file
  std::string message;
};
void PrintTo(const DamagedFile& c, std::ostream* os) {
  *os << c.name;
}

Damage Set(std::string pointer, std::string value) {
  return [pointer, value](const std::string& text) -> std::optional<std::string> {
    auto doc = nlohmann::json::parse(text);
    doc[nlohmann::json::json_pointer(pointer)] = nlohmann::json::parse(value);
    return doc.dump();
  };
}

Damage Remove(std::string key) {
  return [key](const std::string& text) -> std::optional<std::string> {
    auto doc = nlohmann::json::parse(text);
    doc.erase(key);
    return doc.dump();
  };
}

Damage Replace(std::string text) {
  return [text](const std::string&) -> std::optional<std::string> { return text; };
}

Damage MemoryChar(std::size_t at, char c) {
  return [at, c](const std::string& text) -> std::optional<std::string> {
    auto doc = nlohmann::json::parse(text);
    std::string memory = doc["memory"];
    memory[at] = c;
    doc["memory"] = memory;
    return doc.dump();
  };
}

class DamagedDriverFileTest : public DriverStateFileTest,
                              public ::testing::WithParamInterface<DamagedFile> {};

TEST_P(DamagedDriverFileTest, IsRefusedAndLeavesTheDriverAsItWas) {
  std::string error;
  ASSERT_TRUE(SaveDriverState(Path("d.json"), SimulatedFilterDriver(), error));
  const std::optional<std::string> text = GetParam().damage(Text("d.json"));
  fs::remove(Path("d.json"));
  if (text) {
    Write("d.json", *text);
  }

  SimulatedFilterDriver driver = UnusualDriver();
  error.clear();
  EXPECT_FALSE(LoadDriverState(Path("d.json"), driver, error));
  EXPECT_THAT(error, HasSubstr(Path("d.json")));
  EXPECT_THAT(error, HasSubstr(GetParam().message));
  ExpectSameState(driver, UnusualDriver());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedDriverFileTest,
    ::testing::Values(
        DamagedFile{"Missing", [](const std::string&) { return std::nullopt; }, "cannot open"},
        DamagedFile{"Empty", Replace(""), "is corrupt"},
        DamagedFile{"Truncated",
                    [](const std::string& text) { return text.substr(0, text.size() - 10); },
                    "is corrupt"},
        DamagedFile{"MouseStateFile", Set("/format", "\"orbic40-simulated-mouse\""),
                    "not a simulated driver state file"},
        DamagedFile{"JsonArray", Replace("[1, 2]"), "not a simulated driver state file"},
        DamagedFile{"NewerVersion", Set("/version", "2"), "unsupported state file version 2"},
        DamagedFile{"MemoryOneByteShort",
                    [](const std::string& text) -> std::optional<std::string> {
                      auto doc = nlohmann::json::parse(text);
                      std::string memory = doc["memory"];
                      doc["memory"] = memory.substr(2);
                      return doc.dump();
                    },
                    "memory must be 102400 bytes"},
        DamagedFile{"MemoryOddDigits", MemoryChar(0, ' '), "memory must be 102400 bytes"},
        DamagedFile{"MemoryNotHex", MemoryChar(204799, 'g'), "memory must be 102400 bytes"},
        DamagedFile{"MemoryMissing", Remove("memory"), "memory is missing"},
        DamagedFile{"IdTooLarge", Set("/id", "65536"), "id is out of range"},
        DamagedFile{"IdNegative", Set("/id", "-1"), "id is out of range"},
        DamagedFile{"IdText", Set("/id", "\"1234\""), "id must be a whole number"},
        DamagedFile{"IdFraction", Set("/id", "12.5"), "id must be a whole number"},
        DamagedFile{"SwitchNotBoolean", Set("/failFullLoad", "1"), "failFullLoad"},
        DamagedFile{"PresentMissing", Remove("present"), "present is missing"},
        DamagedFile{"InterfacesNotList", Set("/interfaces", "{}"), "interfaces must be a list"},
        DamagedFile{"InterfaceWithoutPath", Set("/interfaces", "[{\"openable\": true}]"),
                    "path is missing"},
        DamagedFile{"InterfacePathNumber",
                    Set("/interfaces", "[{\"path\": 5, \"openable\": true}]"),
                    "path must be a string"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orbic::sim
