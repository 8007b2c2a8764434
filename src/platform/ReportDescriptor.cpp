#include "platform/ReportDescriptor.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

namespace orbic::platform {
namespace {

// Item prefix layout: bits 0-1 size code, bits 2-3 type, bits 4-7 tag.
constexpr std::uint8_t kLongItemPrefix = 0xFE;
constexpr std::size_t kLongItemHeaderSize = 3;  // prefix, data size, long tag

constexpr std::uint8_t kTypeMain = 0;
constexpr std::uint8_t kTypeGlobal = 1;

constexpr std::uint8_t kMainFeature = 0xB;
constexpr std::uint8_t kMainCollection = 0xA;
constexpr std::uint8_t kMainEndCollection = 0xC;

constexpr std::uint8_t kGlobalReportSize = 0x7;
constexpr std::uint8_t kGlobalReportId = 0x8;
constexpr std::uint8_t kGlobalReportCount = 0x9;
constexpr std::uint8_t kGlobalPush = 0xA;
constexpr std::uint8_t kGlobalPop = 0xB;

constexpr std::uint32_t kMaxReportId = 255;
constexpr std::size_t kReportIdByte = 1;

// Only the globals that shape a report's size; the rest (usage page, ranges, units) are ignored.
struct GlobalState {
  std::uint32_t reportSize = 0;
  std::uint32_t reportCount = 0;
  std::uint32_t reportId = 0;
};

// Size code 3 means four data bytes.
constexpr std::size_t ShortItemDataSize(std::uint8_t prefix) {
  const std::size_t code = prefix & 0x3u;
  return code == 3 ? 4 : code;
}

// Short item data is an unsigned little-endian value; the fields we read are never negative.
std::uint32_t ReadUnsigned(std::span<const std::uint8_t> data) {
  std::uint32_t value = 0;
  for (std::size_t i = data.size(); i-- > 0;) {
    value = (value << 8) | data[i];
  }
  return value;
}

std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  return a > kMax - b ? kMax : a + b;
}

// Byte length of the longest report in `featureBits`, id byte included; 0 when
// there is none (a report with no data bits is never sent).
std::size_t LongestReportLength(const std::array<std::uint64_t, kMaxReportId + 1>& featureBits) {
  const std::uint64_t longestBits = *std::max_element(featureBits.begin(), featureBits.end());
  if (longestBits == 0) {
    return 0;
  }
  const std::uint64_t dataBytes = longestBits / 8 + (longestBits % 8 != 0 ? 1 : 0);
  return static_cast<std::size_t>(dataBytes) + kReportIdByte;
}

}  // namespace

std::vector<std::size_t> FeatureReportLengths(std::span<const std::uint8_t> descriptor) {
  // Bits of feature data per report id (id 0 when the descriptor uses none),
  // for the top-level collection being read.
  std::array<std::uint64_t, kMaxReportId + 1> featureBits{};
  std::vector<std::size_t> lengths;
  GlobalState state;
  std::vector<GlobalState> pushed;
  std::size_t openCollections = 0;

  std::size_t pos = 0;
  while (pos < descriptor.size()) {
    const std::uint8_t prefix = descriptor[pos];
    if (prefix == kLongItemPrefix) {
      // No long item tags are defined; skip the item after checking it fits.
      if (descriptor.size() - pos < kLongItemHeaderSize) {
        return {};
      }
      const std::size_t dataSize = descriptor[pos + 1];
      if (descriptor.size() - pos - kLongItemHeaderSize < dataSize) {
        return {};
      }
      pos += kLongItemHeaderSize + dataSize;
      continue;
    }

    const std::size_t dataSize = ShortItemDataSize(prefix);
    if (descriptor.size() - pos - 1 < dataSize) {
      return {};
    }
    const std::uint32_t value = ReadUnsigned(descriptor.subspan(pos + 1, dataSize));
    const std::uint8_t type = (prefix >> 2) & 0x3u;
    const std::uint8_t tag = prefix >> 4;
    pos += 1 + dataSize;

    if (type == kTypeGlobal) {
      switch (tag) {
        case kGlobalReportSize:
          state.reportSize = value;
          break;
        case kGlobalReportCount:
          state.reportCount = value;
          break;
        case kGlobalReportId:
          if (value == 0 || value > kMaxReportId) {
            return {};
          }
          state.reportId = value;
          break;
        case kGlobalPush:
          pushed.push_back(state);
          break;
        case kGlobalPop:
          if (pushed.empty()) {
            return {};
          }
          state = pushed.back();
          pushed.pop_back();
          break;
        default:
          break;
      }
    } else if (type == kTypeMain) {
      switch (tag) {
        case kMainFeature: {
          // Both fields are at most 32 bits wide, so the product fits in 64 bits.
          const std::uint64_t bits =
              static_cast<std::uint64_t>(state.reportSize) * state.reportCount;
          featureBits[state.reportId] = SaturatingAdd(featureBits[state.reportId], bits);
          break;
        }
        case kMainCollection:
          ++openCollections;
          break;
        case kMainEndCollection:
          if (openCollections == 0) {
            return {};
          }
          if (--openCollections == 0) {
            lengths.push_back(LongestReportLength(featureBits));
            featureBits.fill(0);
          }
          break;
        default:  // Input and Output do not shape feature reports.
          break;
      }
    }
    // Local items and reserved types only carry usages; nothing to size.
  }

  if (openCollections != 0) {
    return {};
  }
  return lengths;
}

std::size_t FeatureReportLength(std::span<const std::uint8_t> descriptor) {
  const std::vector<std::size_t> lengths = FeatureReportLengths(descriptor);
  return lengths.empty() ? 0 : *std::max_element(lengths.begin(), lengths.end());
}

}  // namespace orbic::platform
