#include "sim/DriverStateFile.h"

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <utility>

#include "base/AtomicFile.h"
#include "sim/StateJson.h"

namespace orbic::sim {

namespace {

using namespace state_json;

constexpr const char* kFormat = "orbic40-simulated-driver";
constexpr int kFormatVersion = 1;

json ToJson(const SimulatedFilterDriver& driver) {
  json interfaces = json::array();
  for (const auto& [path, openable] : driver.Interfaces()) {
    interfaces.push_back({{"path", path}, {"openable", openable}});
  }
  return {
      {"format", kFormat},
      {"version", kFormatVersion},
      {"id", driver.id},
      {"present", driver.present},
      {"failFullLoad", driver.failFullLoad},
      {"interfaces", interfaces},
      {"memory", ToHex(driver.memory)},
  };
}

// Throws on any missing or malformed field.
void FromJson(const json& doc, SimulatedFilterDriver& driver) {
  if (!doc.is_object() || doc.value("format", "") != kFormat) {
    throw std::runtime_error("not a simulated driver state file");
  }
  const json& version = Field(doc, "version");
  if (!version.is_number_integer() || version.get<std::int64_t>() != kFormatVersion) {
    throw std::runtime_error("unsupported state file version " + version.dump());
  }
  driver.id = Whole<std::uint16_t>(doc, "id");
  driver.present = Flag(doc, "present");
  driver.failFullLoad = Flag(doc, "failFullLoad");
  const json& interfaces = Field(doc, "interfaces");
  if (!interfaces.is_array()) {
    throw std::runtime_error("interfaces must be a list");
  }
  for (const json& entry : interfaces) {
    driver.AddInterface(Text(entry, "path"), Flag(entry, "openable"));
  }
  driver.memory.assign(kDriverMemorySize, 0);
  if (!FromHex(Text(doc, "memory"), driver.memory)) {
    throw std::runtime_error("memory must be " + std::to_string(kDriverMemorySize) +
                             " bytes in hexadecimal");
  }
}

}  // namespace

bool SaveDriverState(const std::string& path, const SimulatedFilterDriver& driver,
                     std::string& error) {
  if (driver.memory.size() != kDriverMemorySize) {
    error = "simulated driver state " + path + ": memory must be " +
            std::to_string(kDriverMemorySize) + " bytes";
    return false;
  }
  return WriteJsonFile(path, ToJson(driver), error);
}

bool LoadDriverState(const std::string& path, SimulatedFilterDriver& driver, std::string& error) {
  std::vector<std::uint8_t> bytes;
  if (!orbic::ReadWholeFile(path, bytes, error)) {
    error = "simulated driver state: " + error;
    return false;
  }
  try {
    const json doc = json::parse(bytes.begin(), bytes.end());
    SimulatedFilterDriver loaded;
    FromJson(doc, loaded);
    driver.LoadStateFrom(loaded);
  } catch (const std::exception& e) {
    error = "simulated driver state " + path + " is corrupt: " + e.what();
    return false;
  }
  return true;
}

}  // namespace orbic::sim
