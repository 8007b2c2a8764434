#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orbic::app {

// Writes `bytes` to a temporary file beside `path` and renames it over `path`,
// so a crash or a full disk never leaves a half-written file.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string& error);

// The whole file; false with `error` naming the file when it cannot be read.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error);

}  // namespace orbic::app
