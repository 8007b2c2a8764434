#pragma once

namespace orbic::perf {

// The pointer settings the Advanced page holds. Steps are positions 1..11 on a
// scale; 0 means no value has been read or chosen yet.
struct PointerSettings {
  int speedStep = 0;
  int speedValue = 0;  // MouseSensitivity
  // The acceleration triple is kept as read, whatever its range, and written back unchanged.
  int acceleration = 0;     // MouseSpeed
  int firstThreshold = 0;   // MouseThreshold1
  int secondThreshold = 0;  // MouseThreshold2
  int doubleClickStep = 0;
  int doubleClickTime = 0;      // DoubleClickSpeed, milliseconds
  int wheelStep = 0;            // also kWheelOneScreen
  int rememberedWheelStep = 0;  // restored when "one screen at a time" is turned off
  int wheelLines = 0;           // WheelScrollLines, also kWheelOneScreen
};

// What the page's controls show. Slider positions run 0..1000, 100 per step.
struct PointerSettingsControls {
  int spdPosition = 0;     // slider_Spd
  int dbSpdPosition = 0;   // slider_DbSpd
  int srcSpdPosition = 0;  // slider_SrcSpd
  // Disabled while the "one screen" check is on, so the initial state agrees with it.
  bool srcSpdEnabled = false;
  bool isControlChecked = true;  // cb_IsControl, "Enhance pointer precision"
  bool isScreenChecked = true;   // cb_IsScreen, "Scroll one screen at a time"
};

}  // namespace orbic::perf
