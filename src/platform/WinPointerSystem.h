#pragma once

#include "perf/PointerSystem.h"

namespace orbic::platform {

// The pointer settings on Windows: string values under the user's registry (HKEY_CURRENT_USER)
// and SystemParametersInfoA for the live changes. Keys are opened, never created.
class WinPointerSystem : public perf::PointerSystem {
 public:
  bool KeyExists(std::string_view key) override;
  std::optional<std::string> ReadValue(std::string_view key, std::string_view name) override;
  bool WriteValue(std::string_view key, std::string_view name, std::string_view text) override;
  void SetMouseSpeed(int speed) override;
  void SetMouseAcceleration(int threshold1, int threshold2, int acceleration) override;
  void SetDoubleClickTime(int milliseconds) override;
  void SetWheelScrollLines(int lines) override;
};

}  // namespace orbic::platform
