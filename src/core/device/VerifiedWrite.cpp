#include "device/VerifiedWrite.h"

#include <cstdio>

#include "base/UiHost.h"
#include "device/CommandChannel.h"

namespace orbic::device {

namespace {

bool ReadBackAndCompare(CommandChannel& channel, std::span<const std::uint8_t> image,
                        std::vector<std::uint8_t>& readBack, VerifiedWriteReport& report) {
  if (!channel.ReadMemory(0, readBack, true) || channel.Stopped()) {
    report.result = VerifiedWriteResult::kReadBackFailed;
    report.stoppedAt = channel.StoppedAt();
    return false;
  }
  report.differences.clear();
  for (std::size_t offset = 0; offset < image.size(); ++offset) {
    if (readBack[offset] != image[offset]) {
      report.differences.emplace_back(static_cast<std::uint16_t>(offset), readBack[offset]);
    }
  }
  return true;
}

}  // namespace

VerifiedWriteReport WriteImageVerified(CommandChannel& channel, UiHost& ui,
                                       std::span<const std::uint8_t> image) {
  VerifiedWriteReport report;
  ui.ShowLoadingWindow();
  std::vector<std::uint8_t> readBack(image.size(), 0xFF);

  if (!channel.WriteMemory(0, image)) {
    report.result = VerifiedWriteResult::kNotStarted;
    return report;
  }
  // A write the mouse stopped answering is not read back chunk by chunk.
  if (channel.Stopped()) {
    report.result = VerifiedWriteResult::kWriteStopped;
    report.stoppedAt = channel.StoppedAt();
    return report;
  }
  if (!ReadBackAndCompare(channel, image, readBack, report)) {
    return report;
  }
  while (!report.differences.empty() && report.repairPasses < kRepairPasses) {
    ++report.repairPasses;
    for (const auto& [offset, value] : report.differences) {
      if (!channel.WriteMemory(offset, image.subspan(offset, 1)) || channel.Stopped()) {
        report.stoppedAt = offset;
        report.result = VerifiedWriteResult::kRepairWriteFailed;
        return report;
      }
    }
    if (!ReadBackAndCompare(channel, image, readBack, report)) {
      return report;
    }
  }
  report.result = report.differences.empty() ? VerifiedWriteResult::kVerified
                                             : VerifiedWriteResult::kStillDiffers;
  return report;
}

std::string DescribeVerifiedWrite(const VerifiedWriteReport& report, std::size_t imageSize) {
  char text[200];
  switch (report.result) {
    case VerifiedWriteResult::kVerified:
      return {};
    case VerifiedWriteResult::kNotStarted:
      return "The mouse did not accept the write of its memory.";
    case VerifiedWriteResult::kWriteStopped:
      std::snprintf(text, sizeof text,
                    "The mouse stopped answering while its memory was written, at byte %d of %zu.",
                    report.stoppedAt, imageSize);
      return text;
    case VerifiedWriteResult::kReadBackFailed:
      std::snprintf(text, sizeof text,
                    "The written memory could not be read back for checking (stopped at byte %d "
                    "of %zu).",
                    report.stoppedAt, imageSize);
      return text;
    case VerifiedWriteResult::kRepairWriteFailed:
      std::snprintf(text, sizeof text,
                    "The mouse did not answer the repair write of byte 0x%03X in pass %d.",
                    static_cast<unsigned>(report.stoppedAt), report.repairPasses);
      return text;
    case VerifiedWriteResult::kStillDiffers:
      if (report.differences.empty()) {
        break;
      }
      std::snprintf(text, sizeof text,
                    "%zu byte%s still differ%s after %d repair passes; the first at 0x%03X reads "
                    "0x%02X.",
                    report.differences.size(), report.differences.size() == 1 ? "" : "s",
                    report.differences.size() == 1 ? "s" : "", report.repairPasses,
                    static_cast<unsigned>(report.differences.front().first),
                    static_cast<unsigned>(report.differences.front().second));
      return text;
  }
  return "The memory written to the mouse could not be verified.";
}

}  // namespace orbic::device
