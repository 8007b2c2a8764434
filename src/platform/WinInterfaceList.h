#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WinSystem.h"

namespace orbic::platform {

// Device paths of every present interface of a class, in the order the system lists them. An
// interface whose detail cannot be read is passed over and the scan goes on with the next one.
std::vector<std::string> InterfacePaths(WinSystem& system, const GUID& classGuid);

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" as the system's GUID record; nothing when malformed.
std::optional<GUID> ParseGuid(std::string_view text);

}  // namespace orbic::platform
