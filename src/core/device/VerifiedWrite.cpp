#include "device/VerifiedWrite.h"

#include "base/UiHost.h"
#include "device/CommandChannel.h"

namespace orbic::device {

namespace {

bool ReadBackAndCompare(CommandChannel& channel, std::span<const std::uint8_t> image,
                        std::vector<std::uint8_t>& readBack, VerifiedWriteReport& report) {
  if (!channel.ReadMemory(0, readBack, true)) {
    report.result = VerifiedWriteResult::kReadBackFailed;
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
  if (!ReadBackAndCompare(channel, image, readBack, report)) {
    return report;
  }
  while (!report.differences.empty() && report.repairPasses < kRepairPasses) {
    ++report.repairPasses;
    for (const auto& [offset, value] : report.differences) {
      if (!channel.WriteMemory(offset, image.subspan(offset, 1))) {
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

}  // namespace orbic::device
