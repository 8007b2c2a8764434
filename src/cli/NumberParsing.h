#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orbic::cli {

// Hexadecimal with or without a 0x prefix; nullopt when malformed or above max.
std::optional<std::uint32_t> ParseHex(const std::string& text, std::uint32_t max);
// Decimal, or hexadecimal with a 0x prefix.
std::optional<std::uint32_t> ParseNumber(const std::string& text, std::uint32_t max);

}  // namespace orbic::cli
