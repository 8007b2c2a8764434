#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

namespace orbic::cli {

// A progress bar on the terminal for memory transfers (342 chunks for the
// whole image) that take longer than a second; shorter ones draw nothing.
class TransferProgress {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  static constexpr std::chrono::milliseconds kQuietFor{1000};

  explicit TransferProgress(std::ostream& out, Clock now = std::chrono::steady_clock::now);

  void Update(bool writing, std::size_t done, std::size_t total);
  // The transfer is over: the line is cleared when one was drawn.
  void Finish();

  // "Writing the mouse  [#########           ]  45%"
  static std::string Line(bool writing, std::size_t done, std::size_t total);

 private:
  std::ostream& out_;
  Clock now_;
  std::optional<std::chrono::steady_clock::time_point> started_;
  std::string shown_;
};

// Whether stderr is a terminal (progress goes there, never into a pipe or file).
bool StderrIsTerminal();

}  // namespace orbic::cli
