#pragma once

#include <string>
#include <string_view>

#include "params/DeviceOptions.h"

namespace orbic::fire {

// The burst-fire ("Fire Key") settings as two views kept equal: the Advanced
// page's repeat and interval edits with the "Continusely" toggle, and the
// engineer page's count list, interval edit and hidden continuous box. The
// stored values live in DeviceOptions, which writes them into the image.
class BurstFireSettings {
 public:
  explicit BurstFireSettings(params::DeviceOptions& options) : options_(options) {}

  // Both views from the options (after every image read or load).
  void RefreshFromOptions();

  // Edt_Repeat1KeyPress: digits and backspace only.
  static bool AcceptsRepeatKey(char key);
  // Edt_Repeat1Change: empty -> "2", "0" -> "1", >= 256 -> "255".
  void Edt_Repeat1Change(std::string_view text);
  // Leaving the edit: "0" becomes "1".
  void Edt_Repeat1Exit();
  // cb_FireCount item index 0..254 ("1".."255") chosen: continuous fire off.
  void cb_FireCountChange(int index);
  void lbl_FireContinueClick();
  // Empty or negative -> "0", >= 256 -> "255"; copied into the other view.
  void Edt_DelayTime1Change(std::string_view text);
  // Above 255 -> "255", empty -> "100"; copied into the other view.
  void edt_FireTimeChange(std::string_view text);

  const std::string& RepeatText() const { return repeatText_; }
  bool RepeatEnabled() const { return !options_.continuousFire; }
  int FireCountIndex() const { return options_.fireCountIndex; }
  bool Continuous() const { return options_.continuousFire; }
  std::string_view ContinuousPicture() const;
  const std::string& DelayTimeText() const { return delayText_; }  // Edt_DelayTime1
  const std::string& FireTimeText() const { return delayText_; }   // edt_FireTime

 private:
  params::DeviceOptions& options_;
  std::string repeatText_ = "3";
  std::string delayText_ = "100";
};

}  // namespace orbic::fire
