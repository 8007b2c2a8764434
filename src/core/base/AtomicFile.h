#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orbic {

// Writes `bytes` to a temporary file of its own beside `path` (created
// exclusively, so two writers never share one), forces it to the disk and
// renames it over `path`, so a crash, a full disk or a second writer never
// leaves a half-written or empty file. A symbolic link is written through to
// the file it names; a file this user may not write is refused, not replaced.
// Temporary files that a killed run left are removed.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string& error);

// More than any file the programs read (the largest, a driver profile, is 100 KiB).
inline constexpr std::size_t kReadLimit = std::size_t{4} << 20;

// The whole file, at most `maxBytes` long; false with `error` naming the file
// and the cause (missing, no permission, a folder, a device or pipe, too large)
// when it cannot be read. Only regular files are opened, so a pipe never blocks.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error,
                   std::size_t maxBytes = kReadLimit);

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
