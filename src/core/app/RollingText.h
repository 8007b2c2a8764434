#pragma once

#include <string>

// The rolling caption of a hovered label: every tick the first character
// moves to the end, with four blanks between the end and the start of the
// caption on the first tick.
namespace orbic::app {

class RollingText {
 public:
  // Hovering `label` whose caption is `caption`. Returns whether the timer
  // should run: only for an enabled label.
  bool Start(std::string label, std::string caption, bool labelEnabled);
  // Leaving: the caption the label had before hovering.
  const std::string& Stop();
  // One 200 ms tick. Returns the caption to show, or nothing to change when
  // rolling is switched off (`TR_Enable`) or no label is hovered.
  const std::string* Tick(bool rollingEnabled);

  const std::string& Label() const { return label_; }
  int Ticks() const { return ticks_; }

 private:
  std::string label_;
  std::string original_;
  std::u32string working_;
  std::string shown_;
  int ticks_ = 0;
};

}  // namespace orbic::app
