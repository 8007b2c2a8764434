// The tool's files under concurrent writers and hostile paths, run as real
// processes the way users and scripts start them.
#include <gmock/gmock.h>
#include <sys/stat.h>

#include <chrono>
#include <nlohmann/json.hpp>

#include "CliRunner.h"
#include "macros/MacroLibrary.h"
#include "support/FileFaults.h"

namespace orbic::cli::test {
namespace {

using ::testing::HasSubstr;

class FileSafetyTest : public CliTest {
 protected:
  // Starts every command at once, then waits for all; their exit statuses.
  std::vector<int> RunTogether(const std::vector<std::vector<std::string>>& commands) const {
    std::vector<ChildId> children;
    for (const auto& args : commands) {
      std::vector<std::string> argv{ORBIC40_CLI_PATH};
      argv.insert(argv.end(), args.begin(), args.end());
      children.push_back(StartChild(argv, kNullDevice, kNullDevice));
      EXPECT_NE(children.back(), kNoChild);
    }
    std::vector<int> statuses;
    for (const ChildId child : children) {
      statuses.push_back(child == kNoChild ? -1 : WaitChild(child));
    }
    return statuses;
  }

  std::string Image() const {
    WriteBytes(Path("in.bin"), DefaultImage());
    return Path("in.bin").string();
  }
};

// With one fixed temporary name, a second writer truncated it just before the
// first renamed it, leaving an empty file behind a writer that exited 0.
TEST_F(FileSafetyTest, WritersOfOneFileAtOnceLeaveOneWholeFile) {
  const std::string in = Image();
  const std::string out = Path("same.bin").string();
  std::vector<std::vector<std::string>> commands;
  for (int i = 0; i < 8; ++i) {
    commands.push_back({"image", "set", in, out, "dpi.count=" + std::to_string(2 + i % 5)});
  }
  for (int round = 0; round < 3; ++round) {
    for (const int status : RunTogether(commands)) {
      EXPECT_EQ(status, 0);
    }
    EXPECT_EQ(ReadBytes(out).size(), 2048u);
    EXPECT_FALSE(orbic::test::TemporaryFilesLeftIn(Path("x").parent_path()));
  }
}

TEST_F(FileSafetyTest, MacrosAddedAtOnceAreAllKept) {
  WriteBytes(Path("Macro.bin"), macros::MacroLibrary{}.Bytes());
  std::vector<std::vector<std::string>> commands;
  for (int i = 0; i < 8; ++i) {
    const std::string lines = Path("m" + std::to_string(i) + ".txt").string();
    std::ofstream(lines) << "00\n0 40\n";
    const std::string record = Path("Macro" + std::to_string(i) + ".bin").string();
    ASSERT_EQ(Run({"macro", "encode", lines, record}).exitCode, 0);
    commands.push_back({"macro", "add", Path("Macro.bin").string(), record});
  }
  for (const int status : RunTogether(commands)) {
    EXPECT_EQ(status, 0);
  }
  const RunResult list = Run({"--json", "macro", "list", Path("Macro.bin").string()});
  ASSERT_EQ(list.exitCode, 0) << list.err;
  EXPECT_EQ(nlohmann::json::parse(list.out).at("macros").size(), 8u) << list.out;
}

// Pipes, devices, links made by any user and a run as another user are POSIX things; the
// Windows build leaves these out.
#ifndef _WIN32
// Every file input goes through one reader that looks before it reads.
TEST_F(FileSafetyTest, InputsThatAreNoFilesAreRefusedWithoutReadingThem) {
  ASSERT_EQ(mkfifo(Path("pipe").c_str(), 0600), 0);
  {
    std::ofstream big(Path("big.bin"), std::ios::binary);
    big.seekp((std::streamoff{1} << 30) - 1);
    big.put('\0');  // sparse: 1 GiB that costs no disk
  }
  fs::create_symlink(Path("loop2"), Path("loop1"));
  fs::create_symlink(Path("loop1"), Path("loop2"));
  const struct {
    std::string input;
    std::string message;
  } cases[] = {
      {"/dev/zero", "not a regular file"},
      {Path("pipe").string(), "not a regular file"},
      {Path("big.bin").string(), "1073741824 bytes"},
      {Path("absent.bin").string(), "no such file"},
      {Path("loop1").string(), "symbolic links"},
  };
  for (const auto& c : cases) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"decode", c.input},
          {"macro", "decode", c.input},
          {"image", "set", c.input, Path("o.bin").string(), "dpi.count=3"}}) {
      SCOPED_TRACE(args[0] + " " + c.input);
      const RunResult result = Run(args);
      EXPECT_EQ(result.exitCode, 2);
      EXPECT_THAT(result.err, HasSubstr(c.message));
    }
  }
}

TEST_F(FileSafetyTest, ALinkIsWrittenThroughToTheFileItNames) {
  const std::string in = Image();
  fs::create_directory(Path("real"));
  WriteBytes(Path("real") / "profile.bin", Bytes(2048, 0));
  fs::create_symlink(Path("real") / "profile.bin", Path("link.bin"));

  ASSERT_EQ(Run({"image", "set", in, Path("link.bin").string(), "dpi.count=3"}).exitCode, 0);

  EXPECT_TRUE(fs::is_symlink(Path("link.bin")));
  EXPECT_EQ(ReadBytes(Path("real") / "profile.bin").size(), 2048u);
  EXPECT_NE(ReadBytes(Path("real") / "profile.bin"), Bytes(2048, 0));
}

TEST_F(FileSafetyTest, TemporariesAKilledRunLeftAreCleanedByTheNextWrite) {
  const std::string in = Image();
  const fs::path stale = Path(".out.bin.12345.orbic40-part");
  const fs::path running = Path(".out.bin.67890.orbic40-part");
  WriteBytes(stale, Bytes(100, 1));
  WriteBytes(running, Bytes(100, 2));
  fs::last_write_time(stale, fs::file_time_type::clock::now() - std::chrono::minutes(5));

  ASSERT_EQ(Run({"image", "set", in, Path("out.bin").string(), "dpi.count=3"}).exitCode, 0);

  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(running));  // young enough to belong to a write in progress
}

// As an ordinary user: a file that user may not write is refused, not replaced.
TEST_F(FileSafetyTest, AReadOnlyFileIsNotReplaced) {
  const std::string in = Image();
  const fs::path target = Path("locked.bin");
  WriteBytes(target, Bytes(2048, 7));
  fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::permissions(Path("x").parent_path(), fs::perms::all);
  fs::permissions(in, fs::perms::all);

  std::vector<std::string> argv{ORBIC40_CLI_PATH, "image",      "set", in,
                                target.string(),  "dpi.count=3"};
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    // Root may write anything, so the tool runs as an ordinary user here.
    if (getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
      _exit(100);
    }
    const int devnull = open("/dev/null", O_WRONLY);
    dup2(devnull, 1);
    dup2(devnull, 2);
    std::vector<char*> pointers;
    for (std::string& arg : argv) {
      pointers.push_back(arg.data());
    }
    pointers.push_back(nullptr);
    execv(pointers[0], pointers.data());
    _exit(101);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 2);
  EXPECT_EQ(ReadBytes(target), Bytes(2048, 7));
}

#endif

TEST_F(FileSafetyTest, AMissingProfileIsFoundBeforeTheMouseIsTouched) {
  NewMouse("mouse.json");
  const Bytes before = ReadBytes(Path("mouse.json"));

  const RunResult result =
      Run({"--simulated", Path("mouse.json").string(), "load", Path("missing.bin").string()});

  EXPECT_EQ(result.exitCode, 2);
  EXPECT_THAT(result.err, HasSubstr("missing.bin: no such file"));
  EXPECT_EQ(ReadBytes(Path("mouse.json")), before);  // not even opened and saved back
}

TEST_F(FileSafetyTest, MemoryNotReadyKeepsTheWindowsTextAndSaysWhy) {
  NewMouse("mouse.json", {"--memory-ready", "0"});
  const RunResult result = Run({"--simulated", Path("mouse.json").string(), "read", "o.bin"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_THAT(result.err, HasSubstr("Finding the specified device"));
  EXPECT_THAT(result.err, HasSubstr("memory is not ready"));
}

}  // namespace
}  // namespace orbic::cli::test
