#include "sim/StateJson.h"

#include "base/AtomicFile.h"
#include "base/HexText.h"

namespace orbic::sim::state_json {

std::string ToHex(std::span<const std::uint8_t> bytes) {
  return HexBytes(bytes);
}

bool FromHex(const std::string& text, std::span<std::uint8_t> bytes) {
  return ParseHexBytes(text, bytes);
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

bool WriteJsonFile(const std::string& path, const json& document, std::string& error) {
  const std::string text = document.dump(2) + "\n";
  return orbic::WriteFileAtomically(
      path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, error);
}

}  // namespace orbic::sim::state_json
