#include "base/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string_view>
#include <system_error>

#include "base/FileServices.h"

namespace orbic {

namespace {

namespace fs = std::filesystem;

// Temporary files are ".<name>.<random>.orbic40-part" beside the target.
constexpr std::string_view kPartSuffix = ".orbic40-part";
// A temporary file this old belongs to no running write.
constexpr auto kStalePart = std::chrono::minutes(1);
constexpr int kTemporaryNameTries = 16;

std::string Cause(int errorNumber) {
  return std::generic_category().message(errorNumber);
}

// Removes what earlier runs that were killed mid-write left of `target`.
void RemoveStaleParts(const fs::path& target) {
  const std::string prefix = "." + target.filename().string() + ".";
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  std::error_code code;
  for (fs::directory_iterator it(folder, code), end; !code && it != end; it.increment(code)) {
    const std::string name = it->path().filename().string();
    if (!name.starts_with(prefix) || !name.ends_with(kPartSuffix)) {
      continue;
    }
    std::error_code timeCode;
    const auto written = fs::last_write_time(it->path(), timeCode);
    if (!timeCode && fs::file_time_type::clock::now() - written > kStalePart) {
      std::error_code ignored;
      fs::remove(it->path(), ignored);
    }
  }
}

// Opens a new temporary file beside `target`; null when none could be made.
std::FILE* CreateTemporary(const fs::path& target, fs::path& temporary, int& errorNumber) {
  std::random_device random;
  for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
    temporary = target.parent_path() / ("." + target.filename().string() + "." +
                                        std::to_string(random()) + std::string(kPartSuffix));
    errno = 0;
    // "x": created exclusively; an existing name is never opened.
    if (std::FILE* file = std::fopen(temporary.string().c_str(), "wbx")) {
      return file;
    }
    errorNumber = errno;
    if (errorNumber != EEXIST) {
      return nullptr;
    }
  }
  return nullptr;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string& error) {
  fs::path target(path);
  std::error_code code;
  // Through a link to the file it names, which would otherwise be left stale.
  if (fs::is_symlink(target, code)) {
    target = fs::weakly_canonical(target, code);
    if (code) {
      error = "cannot follow the link " + path + ": " + code.message();
      return false;
    }
  }
  const fs::file_status status = fs::status(target, code);
  if (fs::exists(status)) {
    if (!fs::is_regular_file(status)) {
      error = "cannot replace " + path + ": it is not a regular file";
      return false;
    }
    // Renaming over it would work in a writable folder; the file says no.
    errno = 0;
    std::FILE* probe = std::fopen(target.string().c_str(), "r+b");
    if (probe == nullptr) {
      error = "cannot replace " + path + ": " + Cause(errno) + " (it was left as it was)";
      return false;
    }
    std::fclose(probe);
  }

  RemoveStaleParts(target);
  fs::path temporary;
  int errorNumber = 0;
  std::FILE* out = CreateTemporary(target, temporary, errorNumber);
  if (out == nullptr) {
    error = "cannot write " + path + ": " + Cause(errorNumber);
    return false;
  }
  const bool written =
      (bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size()) &&
      std::fflush(out) == 0;
  const bool closed = std::fclose(out) == 0;
  FileServices& services = CurrentFileServices();
  if (!written || !closed || !services.SyncFile(temporary.string())) {
    error = "cannot write " + path + " (is the disk full?)";
    fs::remove(temporary, code);
    return false;
  }
  std::string cause;
  if (!services.MoveOver(temporary.string(), target.string(), cause)) {
    error = "cannot replace " + path + ": " + cause;
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
  }
  services.SyncFolder(target.parent_path().string());
  return true;
}

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error,
                   std::size_t maxBytes) {
  std::error_code code;
  const fs::file_status status = fs::status(path, code);
  if (code && status.type() != fs::file_type::not_found) {
    error = "cannot open " + path + ": " + code.message();
    return false;
  }
  switch (status.type()) {
    case fs::file_type::not_found:
      error = "cannot open " + path + ": no such file";
      return false;
    case fs::file_type::directory:
      error = path + " is a folder, not a file";
      return false;
    case fs::file_type::regular:
      break;
    default:
      // A device or a pipe could be endless or block forever.
      error = path + " is not a regular file (a device, pipe or socket)";
      return false;
  }
  const std::uintmax_t size = fs::file_size(path, code);
  if (!code && size > maxBytes) {
    error = path + " holds " + std::to_string(size) + " bytes; at most " +
            std::to_string(maxBytes) + " are read here, so it is not a file this program uses";
    return false;
  }
  errno = 0;
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) {
    error = "cannot open " + path + ": " + Cause(errno);
    return false;
  }
  // One byte past the size tells a file that grew since it was measured.
  const std::uintmax_t expected = code ? maxBytes : std::min<std::uintmax_t>(size, maxBytes);
  bytes.resize(static_cast<std::size_t>(expected) + 1);
  const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), in);
  const bool failed = std::ferror(in) != 0;
  std::fclose(in);
  if (failed) {
    error = "cannot read " + path;
    return false;
  }
  if (got > expected) {
    error = path + " grew while it was read (or is larger than the " + std::to_string(maxBytes) +
            " bytes read here)";
    return false;
  }
  bytes.resize(got);
  return true;
}

bool FolderWritable(const std::string& prefix) {
  namespace fs = std::filesystem;
  const fs::path folder = prefix.empty() ? fs::path(".") : fs::path(prefix);
  std::error_code code;
  if (!fs::is_directory(folder, code)) {
    return false;
  }
  std::random_device random;
  const fs::path probe = folder / (".orbic40-probe-" + std::to_string(random()));
  bool created = false;
  {
    std::ofstream out(probe, std::ios::binary | std::ios::trunc);
    created = out.is_open();
  }
  if (created) {
    fs::remove(probe, code);
  }
  return created;
}

bool PathTaken(const std::string& path) {
  std::error_code code;
  return std::filesystem::status(path, code).type() != std::filesystem::file_type::not_found;
}

bool CreateFolder(const std::string& folder, std::string& error) {
  std::error_code code;
  std::filesystem::create_directories(folder, code);
  if (code) {
    error = "cannot create the folder " + folder + ": " + code.message();
    return false;
  }
  return true;
}

}  // namespace orbic
