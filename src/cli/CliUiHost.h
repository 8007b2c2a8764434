#pragma once

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "base/UiHost.h"
#include "cli/TransferProgress.h"

namespace orbic::cli {

// The command-line tool has no window: messages are kept for the caller to
// print, transfers may draw a progress bar on stderr, everything else is a no-op.
class CliUiHost : public orbic::NullUiHost {
 public:
  void ShowMessage(const std::string& text, orbic::MessageStyle) override {
    messages.push_back(text);
  }
  void TransferProgress(bool writing, std::size_t done, std::size_t total) override {
    if (progress_) {
      progress_->Update(writing, done, total);
    }
  }
  void HideLoadingWindow() override {
    if (progress_) {
      progress_->Finish();
    }
  }
  // Progress on stderr (for a terminal; the caller decides).
  void EnableProgress() { progress_ = std::make_unique<cli::TransferProgress>(std::cerr); }

  std::vector<std::string> messages;

 private:
  std::unique_ptr<cli::TransferProgress> progress_;
};

}  // namespace orbic::cli
