#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orbic {

// Writes `bytes` to a temporary file beside `path` and renames it over `path`,
// so a crash or a full disk never leaves a half-written file.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string& error);

// The whole file; false with `error` naming the file when it cannot be read.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error);

// Whether a file can be created in the folder `prefix` names (empty: the
// current folder). Trying is the only portable test: permissions, read-only
// mounts and missing folders all show up as a failed create.
bool FolderWritable(const std::string& prefix);

// Whether anything is at `path`. A file that cannot even be looked at counts
// as there, so reading it fails and says so instead of a fresh file replacing it.
bool PathTaken(const std::string& path);

// Creates `folder` and its parents; false with `error` naming the folder.
bool CreateFolder(const std::string& folder, std::string& error);

}  // namespace orbic
