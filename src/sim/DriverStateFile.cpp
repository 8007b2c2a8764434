#include "sim/DriverStateFile.h"

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <utility>

#include "app/AtomicFile.h"

namespace orbic::sim {

namespace {

using nlohmann::json;

constexpr const char* kFormat = "orbic40-simulated-driver";
constexpr int kFormatVersion = 1;

std::string ToHex(const std::vector<std::uint8_t>& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const std::uint8_t byte : bytes) {
    text.push_back(digits[byte >> 4]);
    text.push_back(digits[byte & 15]);
  }
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

bool FromHex(const std::string& text, std::vector<std::uint8_t>& bytes) {
  if (text.size() != bytes.size() * 2) {
    return false;
  }
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const int high = HexDigit(text[2 * i]);
    const int low = HexDigit(text[2 * i + 1]);
    if (high < 0 || low < 0) {
      return false;
    }
    bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  return true;
}

const json& Field(const json& object, const std::string& key) {
  if (!object.is_object() || !object.contains(key)) {
    throw std::runtime_error(key + " is missing");
  }
  return object.at(key);
}

bool Flag(const json& object, const std::string& key) {
  const json& value = Field(object, key);
  if (!value.is_boolean()) {
    throw std::runtime_error(key + " must be true or false");
  }
  return value.get<bool>();
}

std::string Text(const json& object, const std::string& key) {
  const json& value = Field(object, key);
  if (!value.is_string()) {
    throw std::runtime_error(key + " must be a string");
  }
  return value.get<std::string>();
}

// nlohmann's own conversion would wrap an out-of-range number silently.
std::uint16_t Id(const json& object) {
  const json& value = Field(object, "id");
  if (!value.is_number_integer()) {
    throw std::runtime_error("id must be a whole number");
  }
  const bool fits = value.is_number_unsigned()
                        ? value.get<std::uint64_t>() <= 0xFFFF
                        : std::in_range<std::uint16_t>(value.get<std::int64_t>());
  if (!fits) {
    throw std::runtime_error("id is out of range: " + value.dump());
  }
  return static_cast<std::uint16_t>(value.get<std::uint64_t>());
}

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
  driver.id = Id(doc);
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
  const std::string text = ToJson(driver).dump(2) + "\n";
  return app::WriteFileAtomically(
      path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, error);
}

bool LoadDriverState(const std::string& path, SimulatedFilterDriver& driver, std::string& error) {
  std::vector<std::uint8_t> bytes;
  if (!app::ReadWholeFile(path, bytes, error)) {
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
