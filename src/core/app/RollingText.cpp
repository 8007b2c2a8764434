#include "app/RollingText.h"

#include "ui/UnicodeText.h"

namespace orbic::app {

namespace {

constexpr int kRestartAbove = 20;
constexpr int kRestartAt = 2;
constexpr int kGapTick = 1;
constexpr std::u32string_view kGap = U"    ";

}  // namespace

bool RollingText::Start(std::string label, std::string caption, bool labelEnabled) {
  label_ = std::move(label);
  original_ = std::move(caption);
  // Captions are UTF-8 and may be Chinese: roll whole characters, never bytes.
  // A damaged caption rolls with its bad bytes shown as replacement characters.
  const ui::DecodedText clean = ui::DecodeUtf8(
      std::span(reinterpret_cast<const std::uint8_t*>(original_.data()), original_.size()));
  working_ = ui::Utf8CodePoints(clean.utf8).value_or(std::u32string());
  ticks_ = 0;
  return labelEnabled;
}

const std::string& RollingText::Stop() {
  label_.clear();
  return original_;
}

const std::string* RollingText::Tick(bool rollingEnabled) {
  if (!rollingEnabled || label_.empty() || working_.empty()) {
    return nullptr;
  }
  if (++ticks_ > kRestartAbove) {
    ticks_ = kRestartAt;
  }
  const char32_t first = working_.front();
  working_.erase(0, 1);
  if (ticks_ == kGapTick) {
    working_ += kGap;
  }
  working_ += first;
  shown_.clear();
  for (char32_t point : working_) {
    ui::AppendUtf8(point, shown_);
  }
  return &shown_;
}

}  // namespace orbic::app
