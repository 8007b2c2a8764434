#include "sim/StateJson.h"

#include "app/AtomicFile.h"

namespace orbic::sim::state_json {

namespace {

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

}  // namespace

std::string ToHex(std::span<const std::uint8_t> bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const std::uint8_t byte : bytes) {
    text.push_back(digits[byte >> 4]);
    text.push_back(digits[byte & 15]);
  }
  return text;
}

bool FromHex(const std::string& text, std::span<std::uint8_t> bytes) {
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

bool WriteJsonFile(const std::string& path, const json& document, std::string& error) {
  const std::string text = document.dump(2) + "\n";
  return app::WriteFileAtomically(
      path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, error);
}

}  // namespace orbic::sim::state_json
