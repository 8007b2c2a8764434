#include "app/RollingText.h"

namespace orbic::app {

namespace {

constexpr int kRestartAbove = 20;
constexpr int kRestartAt = 2;
constexpr int kGapTick = 1;
constexpr std::u32string_view kGap = U"    ";

// Captions are UTF-8 and may be Chinese: roll whole characters, never bytes.
std::u32string Decode(const std::string& text) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : 3;
    char32_t point = extra == 0 ? lead : lead & (0x3F >> extra);
    if (extra > 0 && i + static_cast<std::size_t>(extra) >= text.size()) {
      extra = 0;  // cut-off sequence: keep the byte as it is
      point = lead;
    }
    for (int k = 1; k <= extra; ++k) {
      point =
          (point << 6) | (static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0x3F);
    }
    out += point;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

std::string Encode(const std::u32string& text) {
  std::string out;
  for (char32_t point : text) {
    if (point < 0x80) {
      out += static_cast<char>(point);
    } else if (point < 0x800) {
      out += static_cast<char>(0xC0 | (point >> 6));
      out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
      out += static_cast<char>(0xE0 | (point >> 12));
      out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (point >> 18));
      out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (point & 0x3F));
    }
  }
  return out;
}

}  // namespace

bool RollingText::Start(std::string label, std::string caption, bool labelEnabled) {
  label_ = std::move(label);
  original_ = std::move(caption);
  working_ = Decode(original_);
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
  shown_ = Encode(working_);
  return &shown_;
}

}  // namespace orbic::app
