#pragma once

#include <string_view>

#include "perf/PointerSettings.h"
#include "perf/PointerSystem.h"

namespace orbic::perf {

inline constexpr std::string_view kCheckOnPicture = "CbS_E";
inline constexpr std::string_view kCheckOffPicture = "CbS_D";

// The pointer-settings part of the Advanced page: reads the system's pointer
// settings, and writes and applies them whenever the user changes one.
// Only what the user changed on the page since the last read is written and
// applied: a value merely read goes back to the system neither as read nor
// snapped to its step, so the page never changes a setting it only showed.
class PointerSettingsPage {
 public:
  explicit PointerSettingsPage(PointerSystem& system) : system_(system) {}

  const PointerSettings& Settings() const { return settings_; }
  const PointerSettingsControls& Controls() const { return controls_; }
  std::string_view IsControlPicture() const;  // Img_IsControl
  std::string_view IsScreenPicture() const;   // Img_IsScreen

  // Reads "Control Panel\Mouse", after asking the system to read the
  // desktop's values afresh; a missing key changes nothing.
  void RefreshMouseSystemParameterA();
  // Reads "WheelScrollLines"; run right after RefreshMouseSystemParameterA. A
  // missing key or value, or one that is not a number, changes nothing.
  void RefreshMouseSystemParameterB();

  // Stores the settings the user changed since the last read and applies
  // them live.
  void ApplyPointerSettings();

  // Where the values take effect, for the page to say (empty: the system's
  // own settings).
  std::string_view ScopeNotice() const { return system_.ScopeNotice(); }

  // Mouse released at `x` pixels on a slider: snap to a step and apply.
  void slider_SpdMouseUp(int x);
  void slider_DbSpdMouseUp(int x);
  void slider_SrcSpdMouseUp(int x);  // ignored while the slider is disabled
  void lbl_IsControlClick();         // toggles "Enhance pointer precision"
  void lbl_IsScreenClick();          // toggles "Scroll one screen at a time"

 private:
  void ChangedMouseSystemParameterA();
  void ChangedMouseSystemParameterB();
  int ReadInteger(std::string_view key, std::string_view name, int fallback);
  bool WheelStepSet() const;

  PointerSystem& system_;
  PointerSettings settings_;
  PointerSettingsControls controls_;
  // Which settings the user changed since the last read.
  struct Changed {
    bool speed = false;
    bool acceleration = false;
    bool doubleClick = false;
    bool wheel = false;
  };
  Changed changed_;
};

}  // namespace orbic::perf
