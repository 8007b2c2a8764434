#pragma once

#include <cstddef>
#include <string>

namespace orbic {

enum class MessageStyle {
  kDialog,      // the skinned message dialog, in the language font
  kMessageBox,  // a plain message box with an empty title and an OK button
};

// What the core asks of the window. The Qt main window implements it; tests
// use a recorder. Every call returns when done (ShowMessage when dismissed).
class UiHost {
 public:
  virtual ~UiHost() = default;
  virtual void ShowMessage(const std::string& text, MessageStyle style) = 0;
  // Centred over the main window (horizontally; vertically 40 px lower), topmost.
  virtual void ShowLoadingWindow() = 0;
  virtual void HideLoadingWindow() = 0;
  virtual void PumpEvents() = 0;
  virtual void SetDeviceTimerEnabled(bool enabled) = 0;
  virtual void DisablePages() = 0;
  virtual void EnablePages() = 0;
  virtual void ModelsChanged() = 0;
  // A chunked memory transfer has done `done` of its `total` chunks (reading
  // or writing). The window's loading animation needs nothing of it; the
  // command line draws a bar from it. Nothing by default.
  virtual void TransferProgress(bool /*writing*/, std::size_t /*done*/, std::size_t /*total*/) {}
};

// For callers with no window (the command-line tool, benchmarks).
class NullUiHost : public UiHost {
 public:
  void ShowMessage(const std::string&, MessageStyle) override {}
  void ShowLoadingWindow() override {}
  void HideLoadingWindow() override {}
  void PumpEvents() override {}
  void SetDeviceTimerEnabled(bool) override {}
  void DisablePages() override {}
  void EnablePages() override {}
  void ModelsChanged() override {}
};

}  // namespace orbic
