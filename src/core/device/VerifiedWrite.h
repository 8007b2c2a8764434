#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orbic {
class UiHost;
}

namespace orbic::device {

class CommandChannel;

inline constexpr int kRepairPasses = 3;

enum class VerifiedWriteResult {
  kVerified,           // the read-back equals the image
  kNotStarted,         // command 6 was refused
  kWriteStopped,       // the mouse stopped answering (or vanished) during the write
  kReadBackFailed,     // a read-back was refused or stopped
  kRepairWriteFailed,  // a single-byte repair write was refused
  kStillDiffers,       // three repair passes left differences: the user is told "Fail"
};

struct VerifiedWriteReport {
  VerifiedWriteResult result = VerifiedWriteResult::kNotStarted;
  int repairPasses = 0;
  int stoppedAt = -1;  // byte offset where a stopped transfer ended
  // (offset, value read back) of the last comparison.
  std::vector<std::pair<std::uint16_t, std::uint8_t>> differences;
};

// Writes the whole image, reads it back, and rewrites each differing byte on
// its own, reading the image back after every pass, for up to three passes.
// Shows nothing but the loading window; the caller decides what to tell.
VerifiedWriteReport WriteImageVerified(CommandChannel& channel, UiHost& ui,
                                       std::span<const std::uint8_t> image);

// What went wrong with a write that was not verified, and where, for the
// command-line tool's message; empty for a verified write.
std::string DescribeVerifiedWrite(const VerifiedWriteReport& report, std::size_t imageSize);

}  // namespace orbic::device
