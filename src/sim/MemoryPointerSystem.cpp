#include "sim/MemoryPointerSystem.h"

namespace orbic::sim {

void MemoryPointerSystem::SetValue(std::string_view key, std::string_view name,
                                   std::string_view text) {
  store_[std::string(key)][std::string(name)] = std::string(text);
}

void MemoryPointerSystem::EraseValue(std::string_view key, std::string_view name) {
  const auto keyIt = store_.find(key);
  if (keyIt == store_.end()) {
    return;
  }
  const auto valueIt = keyIt->second.find(name);
  if (valueIt != keyIt->second.end()) {
    keyIt->second.erase(valueIt);
  }
}

void MemoryPointerSystem::EraseKey(std::string_view key) {
  const auto keyIt = store_.find(key);
  if (keyIt != store_.end()) {
    store_.erase(keyIt);
  }
}

std::optional<std::string> MemoryPointerSystem::Value(std::string_view key,
                                                      std::string_view name) const {
  const auto keyIt = store_.find(key);
  if (keyIt == store_.end()) {
    return std::nullopt;
  }
  const auto valueIt = keyIt->second.find(name);
  if (valueIt == keyIt->second.end()) {
    return std::nullopt;
  }
  return valueIt->second;
}

bool MemoryPointerSystem::KeyExists(std::string_view key) {
  return store_.contains(key);
}

std::optional<std::string> MemoryPointerSystem::ReadValue(std::string_view key,
                                                          std::string_view name) {
  return Value(key, name);
}

bool MemoryPointerSystem::WriteValue(std::string_view key, std::string_view name,
                                     std::string_view text) {
  const auto keyIt = store_.find(key);
  if (keyIt == store_.end()) {
    return false;
  }
  keyIt->second[std::string(name)] = std::string(text);
  calls_.push_back("Write " + std::string(key) + " " + std::string(name) + "=" + std::string(text));
  return true;
}

void MemoryPointerSystem::SetMouseSpeed(int speed) {
  calls_.push_back("SetMouseSpeed " + std::to_string(speed));
}

void MemoryPointerSystem::SetMouseAcceleration(int threshold1, int threshold2, int acceleration) {
  calls_.push_back("SetMouseAcceleration " + std::to_string(threshold1) + " " +
                   std::to_string(threshold2) + " " + std::to_string(acceleration));
}

void MemoryPointerSystem::SetDoubleClickTime(int milliseconds) {
  calls_.push_back("SetDoubleClickTime " + std::to_string(milliseconds));
}

void MemoryPointerSystem::SetWheelScrollLines(int lines) {
  calls_.push_back("SetWheelScrollLines " + std::to_string(lines));
}

}  // namespace orbic::sim
