#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace orbic::test {

// A fresh, empty folder of its own for one test (made with mkdtemp, so tests
// running at once never share one), removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orbic40-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      throw std::runtime_error("cannot make a temporary folder");
    }
    path_ = pattern;
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

  const std::filesystem::path& Path() const { return path_; }
  // The folder with a trailing separator, as the program's folder settings take it.
  std::string Prefix() const { return path_.string() + "/"; }

 private:
  std::filesystem::path path_;
};

}  // namespace orbic::test
