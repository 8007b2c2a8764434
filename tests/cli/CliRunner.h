#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "base/Resources.h"
#include "support/TempFolder.h"

namespace orbic::cli::test {

namespace fs = std::filesystem;

using Bytes = std::vector<std::uint8_t>;

struct RunResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

inline std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline Bytes ReadBytes(const fs::path& path) {
  const std::string text = ReadText(path);
  return {text.begin(), text.end()};
}

inline void WriteBytes(const fs::path& path, std::span<const std::uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline Bytes DefaultImage() {
  const auto resource = orbic::FindResource("ORBIC5xData_Cfg1");
  if (!resource) {
    return {};
  }
  return {resource->begin(), resource->end()};
}

// The sent packets of a --trace listing ("> 04 01 00 ..."), as bytes.
inline std::vector<Bytes> SentPackets(const std::string& trace) {
  std::vector<Bytes> packets;
  std::size_t start = 0;
  while (start < trace.size()) {
    std::size_t end = trace.find('\n', start);
    if (end == std::string::npos) {
      end = trace.size();
    }
    const std::string line = trace.substr(start, end - start);
    if (line.rfind("> ", 0) == 0) {
      Bytes bytes;
      for (std::size_t i = 2; i + 1 < line.size(); i += 3) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(line.substr(i, 2), nullptr, 16)));
      }
      packets.push_back(bytes);
    }
    start = end + 1;
  }
  return packets;
}

// A fresh folder per test, and the tool run in it as a user would run it.
class CliTest : public ::testing::Test {
 protected:
  // Backups made before writes go to a folder of the test's own, never the user's.
  void SetUp() override {
    dir_ = temp_.Path();
#ifdef _WIN32
    _putenv_s("LOCALAPPDATA", state_.Path().string().c_str());
#else
    setenv("XDG_STATE_HOME", state_.Path().c_str(), 1);
#endif
  }

  fs::path BackupDir() const {
    return state_.Path() / "orbic40" / "backups";
  }

  fs::path Path(const std::string& name) const {
    return dir_ / name;
  }

  RunResult Run(const std::vector<std::string>& args) const {
    std::vector<std::string> argv{ORBIC40_CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    const std::string outFile = (dir_ / ".stdout").string();
    const std::string errFile = (dir_ / ".stderr").string();
    RunResult result;
    const ChildId child = StartChild(argv, outFile, errFile);
    if (child == kNoChild) {
      ADD_FAILURE() << "cannot start " << ORBIC40_CLI_PATH;
      return result;
    }
    result.exitCode = WaitChild(child);
    result.out = ReadText(outFile);
    result.err = ReadText(errFile);
    fs::remove(outFile);
    fs::remove(errFile);
    return result;
  }

  // `sim new STATE extra...`; the mouse must be created.
  void NewMouse(const std::string& state, const std::vector<std::string>& extra = {}) const {
    std::vector<std::string> args{"sim", "new", Path(state).string()};
    args.insert(args.end(), extra.begin(), extra.end());
    const RunResult result = Run(args);
    ASSERT_EQ(result.exitCode, 0) << result.err;
  }

  // Everything in the test folder (captured output is removed after each run).
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  orbic::test::TempFolder temp_;
  orbic::test::TempFolder state_;
  fs::path dir_;
};

}  // namespace orbic::cli::test
