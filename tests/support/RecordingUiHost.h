#pragma once

#include <string>
#include <vector>

#include "base/UiHost.h"

namespace orbic::test {

// Records every call the core makes on the window, in order, as short words
// ("show-loading", "pump", "timer-on", "message:Fail", ...).
class RecordingUiHost : public orbic::UiHost {
 public:
  void ShowMessage(const std::string& text, orbic::MessageStyle style) override {
    messages.push_back(text);
    styles.push_back(style);
    calls.push_back("message:" + text);
  }
  void ShowLoadingWindow() override {
    loadingVisible = true;
    calls.push_back("show-loading");
  }
  void HideLoadingWindow() override {
    loadingVisible = false;
    calls.push_back("hide-loading");
  }
  void PumpEvents() override {
    ++pumps;
    calls.push_back("pump");
  }
  void SetDeviceTimerEnabled(bool enabled) override {
    timerEnabled = enabled;
    calls.push_back(enabled ? "timer-on" : "timer-off");
  }
  void DisablePages() override {
    pagesCovered = true;
    calls.push_back("disable-pages");
  }
  void EnablePages() override {
    pagesCovered = false;
    calls.push_back("enable-pages");
  }
  void ModelsChanged() override { calls.push_back("models-changed"); }

  // The calls other than pumping, which would drown the sequence.
  std::vector<std::string> CallsWithoutPumps() const {
    std::vector<std::string> result;
    for (const std::string& call : calls) {
      if (call != "pump") {
        result.push_back(call);
      }
    }
    return result;
  }
  void Clear() {
    calls.clear();
    messages.clear();
    styles.clear();
    pumps = 0;
  }

  std::vector<std::string> calls;
  std::vector<std::string> messages;
  std::vector<orbic::MessageStyle> styles;
  int pumps = 0;
  bool loadingVisible = false;
  bool timerEnabled = false;
  bool pagesCovered = false;
};

}  // namespace orbic::test
