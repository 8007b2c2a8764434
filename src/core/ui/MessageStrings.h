#pragma once

#include <string>

namespace orbic::ui {

// The message texts of the current language table (keys Str020, Str100..Str109).
// Defaults are the texts of language table 1.
struct MessageStrings {
  std::string str020 = "Finding the specified device";
  std::string str100 = "Please Connect the USB Device";
  std::string str101 = "Please check your device is attached to USB port";
  std::string str102 = "BIN file type error";
  std::string str103 = "Macro bin length out of range";
  std::string str104 = "storage space shortage";
  std::string str106 = "This macro already exists";
  std::string str107 = "The mouse manufacturer or product id error";
  std::string str108 = "Please keep a Left Key";
  std::string str109 = "Fail";

  // Str100, two carriage returns, Str101.
  std::string DeviceLostText() const { return str100 + "\r\r" + str101; }
};

}  // namespace orbic::ui
