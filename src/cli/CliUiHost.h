#pragma once

#include <string>
#include <vector>

#include "base/UiHost.h"

namespace orbic::cli {

// The command-line tool has no window: messages are kept for the caller to
// print, everything else is a no-op.
class CliUiHost : public orbic::NullUiHost {
 public:
  void ShowMessage(const std::string& text, orbic::MessageStyle) override {
    messages.push_back(text);
  }
  std::vector<std::string> messages;
};

}  // namespace orbic::cli
