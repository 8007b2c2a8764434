#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "perf/PointerSystem.h"

namespace orbic::sim {

// Pointer settings held in memory: keys with their text values, plus a record
// of every value written and every live call, in order, one line each:
//   Write <key> <name>=<text>
//   SetMouseSpeed <speed>
//   SetMouseAcceleration <threshold1> <threshold2> <acceleration>
//   SetDoubleClickTime <ms>
//   SetWheelScrollLines <lines>
class MemoryPointerSystem : public perf::PointerSystem {
 public:
  using Values = std::map<std::string, std::string, std::less<>>;
  using Store = std::map<std::string, Values, std::less<>>;

  MemoryPointerSystem() = default;
  explicit MemoryPointerSystem(Store initial) : store_(std::move(initial)) {}

  // Set-up and inspection for tests; not recorded.
  void SetValue(std::string_view key, std::string_view name,
                std::string_view text);  // adds the key
  void EraseValue(std::string_view key, std::string_view name);
  void EraseKey(std::string_view key);
  std::optional<std::string> Value(std::string_view key, std::string_view name) const;
  const std::vector<std::string>& Calls() const { return calls_; }
  // How often the page asked for the values afresh.
  int Reloads() const { return reloads_; }
  void ClearCalls() { calls_.clear(); }

  void Reload() override { ++reloads_; }
  bool KeyExists(std::string_view key) override;
  std::optional<std::string> ReadValue(std::string_view key, std::string_view name) override;
  bool WriteValue(std::string_view key, std::string_view name, std::string_view text) override;
  void SetMouseSpeed(int speed) override;
  void SetMouseAcceleration(int threshold1, int threshold2, int acceleration) override;
  void SetDoubleClickTime(int milliseconds) override;
  void SetWheelScrollLines(int lines) override;

 private:
  Store store_;
  std::vector<std::string> calls_;
  int reloads_ = 0;
};

}  // namespace orbic::sim
