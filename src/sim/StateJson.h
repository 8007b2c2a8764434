#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>

// Reading and writing the simulators' state files: byte blocks as hex text,
// and fields that must be present with the right kind. A field that is
// missing or of the wrong kind throws std::runtime_error naming it.
namespace orbic::sim::state_json {

using nlohmann::json;

std::string ToHex(std::span<const std::uint8_t> bytes);
// Fills `bytes` from exactly 2 × size hex digits; false otherwise.
bool FromHex(const std::string& text, std::span<std::uint8_t> bytes);

const json& Field(const json& object, const std::string& key);
bool Flag(const json& object, const std::string& key);
std::string Text(const json& object, const std::string& key);

// A whole number that fits T. nlohmann's own conversion wraps (300 becomes 44
// in a byte), which would turn a hand-edited typo into a different device.
template <typename T>
T WholeValue(const json& value, const std::string& name) {
  if (value.is_number_unsigned()) {
    const auto number = value.get<std::uint64_t>();
    if (std::in_range<T>(number)) {
      return static_cast<T>(number);
    }
  } else if (value.is_number_integer()) {
    const auto number = value.get<std::int64_t>();
    if (std::in_range<T>(number)) {
      return static_cast<T>(number);
    }
  } else {
    throw std::runtime_error(name + " must be a whole number");
  }
  throw std::runtime_error(name + " is out of range: " + value.dump());
}

template <typename T>
T Whole(const json& object, const std::string& key) {
  return WholeValue<T>(Field(object, key), key);
}

// The document, written atomically with a final newline.
bool WriteJsonFile(const std::string& path, const json& document, std::string& error);

}  // namespace orbic::sim::state_json
