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
  // Not in the language tables: fixed texts of this program.
  std::string readFailed = "Reading the mouse failed. It will be read again.";

  // The mouse's node exists but this user may not open it.
  static std::string NotAccessibleText(const std::string& path) {
    return "The mouse was found, but it cannot be opened: this user has no permission to use " +
           path + ".\r\rInstall the udev rule that grants access to the user at the seat:\r" +
           "  orbic40-cli udev-rule | sudo tee /etc/udev/rules.d/70-orbic40.rules\r" +
           "then unplug the mouse and plug it in again.";
  }

  // Str100, two carriage returns, Str101.
  std::string DeviceLostText() const { return str100 + "\r\r" + str101; }
};

}  // namespace orbic::ui
