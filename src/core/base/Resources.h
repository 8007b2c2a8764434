#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace orbic {

// The data compiled into the program from resources/ (behaviour configuration,
// default images, default macro library, ...), looked up by resource name.
std::optional<std::span<const std::uint8_t>> FindResource(std::string_view name);

}  // namespace orbic
