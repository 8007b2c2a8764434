#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orbic::perf {

// Where the per-user pointer settings live, as registry-style key and value
// names. Every value is held as the text of its decimal digits.
inline constexpr std::string_view kMouseKey = "Control Panel\\Mouse";
inline constexpr std::string_view kDesktopKey = "Control Panel\\Desktop";

inline constexpr std::string_view kMouseSensitivityValue = "MouseSensitivity";  // kMouseKey
inline constexpr std::string_view kMouseSpeedValue = "MouseSpeed";              // kMouseKey
inline constexpr std::string_view kMouseThreshold1Value = "MouseThreshold1";    // kMouseKey
inline constexpr std::string_view kMouseThreshold2Value = "MouseThreshold2";    // kMouseKey
inline constexpr std::string_view kDoubleClickSpeedValue = "DoubleClickSpeed";  // kMouseKey
inline constexpr std::string_view kWheelScrollLinesValue = "WheelScrollLines";  // kDesktopKey

// Wheel lines meaning "scroll one screen at a time".
inline constexpr int kWheelOneScreen = -1;

// The system's pointer settings: a store of text values under keys (on Windows
// the user's registry) and the calls that make new values take effect at once
// (on Windows SystemParametersInfo). Keys are never created here: a key that
// does not exist can be neither read nor written.
class PointerSystem {
 public:
  virtual ~PointerSystem() = default;

  virtual bool KeyExists(std::string_view key) = 0;
  // The value's text; nullopt when the key or the value does not exist.
  virtual std::optional<std::string> ReadValue(std::string_view key, std::string_view name) = 0;
  // Stores `text` as a string value of an existing key; false when the key is
  // missing or the write failed.
  virtual bool WriteValue(std::string_view key, std::string_view name, std::string_view text) = 0;

  // Reads the values afresh from where the desktop keeps them, before the
  // page shows them; a store read directly at every ReadValue needs nothing.
  virtual void Reload() {}
  // Where the values take effect, as the page tells the user: empty when
  // they are the system's own settings.
  virtual std::string_view ScopeNotice() const { return {}; }

  // Live application; the results are not examined, so none is returned.
  // Pointer speed 1..20 (Windows: SPI_SETMOUSESPEED).
  virtual void SetMouseSpeed(int speed) = 0;
  // Acceleration thresholds and level (Windows: SPI_SETMOUSE with the array
  // threshold1, threshold2, acceleration).
  virtual void SetMouseAcceleration(int threshold1, int threshold2, int acceleration) = 0;
  // Windows: SPI_SETDOUBLECLICKTIME.
  virtual void SetDoubleClickTime(int milliseconds) = 0;
  // Lines per wheel notch, or kWheelOneScreen (Windows: SPI_SETWHEELSCROLLLINES,
  // -1 passed as the all-ones value).
  virtual void SetWheelScrollLines(int lines) = 0;
};

}  // namespace orbic::perf
