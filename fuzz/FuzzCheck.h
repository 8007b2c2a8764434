#pragma once

// What every fuzz target needs: a failed invariant that the fuzzer reports as
// a crash, and a scratch folder for targets that go through files.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace orbic::fuzz {

[[noreturn]] inline void Fail(const char* what, const std::string& detail = {}) {
  std::fprintf(stderr, "%s %s\n", what, detail.c_str());
  std::abort();
}

// One folder per fuzzing process (`name` tells the targets apart), removed
// when the process ends.
inline const std::filesystem::path& ScratchFolder(const std::string& name) {
  struct Folder {
    explicit Folder(const std::string& name)
        : path(std::filesystem::temp_directory_path() /
               ("orbic40-fuzz-" + name + "-" + std::to_string(::getpid()))) {
      std::filesystem::create_directories(path);
    }
    ~Folder() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
  };
  static const Folder folder(name);
  return folder.path;
}

}  // namespace orbic::fuzz
