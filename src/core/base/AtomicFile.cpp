#include "base/AtomicFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace orbic {

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string& error) {
  namespace fs = std::filesystem;
  fs::path temporary(path);
  temporary += ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
      error = "cannot create " + temporary.string();
      return false;
    }
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      error = "cannot write " + temporary.string();
      std::error_code ignored;
      fs::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code code;
  fs::rename(temporary, path, code);
  if (code) {
    error = "cannot replace " + path + ": " + code.message();
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
  }
  return true;
}

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error) {
  std::error_code code;
  if (std::filesystem::is_directory(path, code)) {
    error = path + " is a folder, not a file";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open " + path;
    return false;
  }
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = "cannot read " + path;
    return false;
  }
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
