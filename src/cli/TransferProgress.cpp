#include "cli/TransferProgress.h"

#include <algorithm>
#include <cstdio>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace orbic::cli {

namespace {

constexpr std::size_t kBarWidth = 30;

}  // namespace

TransferProgress::TransferProgress(std::ostream& out, Clock now)
    : out_(out), now_(std::move(now)) {}

std::string TransferProgress::Line(bool writing, std::size_t done, std::size_t total) {
  const std::size_t shownDone = std::min(done, total);
  const std::size_t percent = total == 0 ? 100 : shownDone * 100 / total;
  const std::size_t filled = total == 0 ? kBarWidth : shownDone * kBarWidth / total;
  char number[16];
  std::snprintf(number, sizeof number, "%3u%%", static_cast<unsigned>(percent));
  return std::string(writing ? "Writing the mouse" : "Reading the mouse") + "  [" +
         std::string(filled, '#') + std::string(kBarWidth - filled, ' ') + "] " + number;
}

void TransferProgress::Update(bool writing, std::size_t done, std::size_t total) {
  const auto now = now_();
  if (!started_) {
    started_ = now;
  }
  if (now - *started_ < kQuietFor) {
    return;
  }
  const std::string line = Line(writing, done, total);
  if (line != shown_) {
    out_ << '\r' << line << std::flush;
    shown_ = line;
  }
}

void TransferProgress::Finish() {
  if (!shown_.empty()) {
    out_ << '\r' << std::string(shown_.size(), ' ') << '\r' << std::flush;
  }
  shown_.clear();
  started_.reset();
}

bool StderrIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(STDERR_FILENO) == 1;
#endif
}

}  // namespace orbic::cli
