#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#ifdef _WIN32
#include <random>
#endif

namespace orbic::test {

// A fresh, empty folder of its own for one test (created exclusively, so tests
// running at once never share one), removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() {
#ifdef _WIN32
    // No mkdtemp: a random name, taken only when the folder did not exist yet.
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const std::filesystem::path candidate =
          std::filesystem::temp_directory_path() /
          ("orbic40-test-" + std::to_string(random() % 1000000000));
      std::error_code code;
      if (std::filesystem::create_directory(candidate, code) && !code) {
        path_ = candidate;
      }
    }
    if (path_.empty()) {
      throw std::runtime_error("cannot make a temporary folder");
    }
#else
    std::string pattern = (std::filesystem::temp_directory_path() / "orbic40-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      throw std::runtime_error("cannot make a temporary folder");
    }
    path_ = pattern;
#endif
  }
  ~TempFolder() {
    // A test may have taken write access from a folder to make writes fail.
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    for (std::filesystem::recursive_directory_iterator it(path_, ignored), end;
         !ignored && it != end; it.increment(ignored)) {
      if (it->is_directory(ignored)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
      }
    }
    ignored.clear();
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const {
    return path_;
  }
  // The folder with a trailing separator, as the program's folder settings take it.
  std::string Prefix() const {
    return path_.string() + "/";
  }

 private:
  std::filesystem::path path_;
};

}  // namespace orbic::test
