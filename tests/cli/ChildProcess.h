#pragma once

// Starting the tool as its own process, with its output sent to files, on either system.
#include <string>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// windows.h names FindResourceA this way; the tests mean the program's own resources.
#undef FindResource
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace orbic::cli::test {

#ifdef _WIN32
using ChildId = HANDLE;
inline const ChildId kNoChild = nullptr;
inline constexpr const char* kNullDevice = "NUL";

// One argument quoted as the C runtime splits a command line: backslashes count only in front
// of a quote.
inline std::string QuoteArgument(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
    return argument;
  }
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, '\\');
  return quoted + "\"";
}

inline HANDLE OpenOutput(const std::string& path, SECURITY_ATTRIBUTES& inherit) {
  return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Starts argv[0] with standard output and error written to the two files; kNoChild on failure.
inline ChildId StartChild(const std::vector<std::string>& argv, const std::string& outPath,
                          const std::string& errPath) {
  std::string commandLine;
  for (const std::string& argument : argv) {
    commandLine += (commandLine.empty() ? "" : " ") + QuoteArgument(argument);
  }
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const HANDLE out = OpenOutput(outPath, inherit);
  const HANDLE err = OpenOutput(errPath, inherit);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = INVALID_HANDLE_VALUE;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  // Wine now and then refuses a start right after the last child ended; a second try succeeds.
  BOOL started = FALSE;
  for (int attempt = 0; attempt < 3 && !started; ++attempt) {
    if (attempt > 0) {
      Sleep(200);
    }
    started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                             nullptr, &startup, &process);
  }
  CloseHandle(out);
  CloseHandle(err);
  if (!started) {
    return kNoChild;
  }
  CloseHandle(process.hThread);
  return process.hProcess;
}

// Waits for the child; its exit code.
inline int WaitChild(ChildId child) {
  WaitForSingleObject(child, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(child, &code);
  CloseHandle(child);
  return static_cast<int>(code);
}
#else
using ChildId = pid_t;
inline constexpr ChildId kNoChild = -1;
inline constexpr const char* kNullDevice = "/dev/null";

// Starts argv[0] with standard output and error written to the two files; kNoChild on failure.
inline ChildId StartChild(const std::vector<std::string>& argv, const std::string& outPath,
                          const std::string& errPath) {
  std::vector<std::string> arguments = argv;
  std::vector<char*> pointers;
  for (std::string& argument : arguments) {
    pointers.push_back(argument.data());
  }
  pointers.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, pointers[0], &actions, nullptr, pointers.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return spawned == 0 ? pid : kNoChild;
}

// Waits for the child; its exit status, or 128 plus the signal that ended it.
inline int WaitChild(ChildId child) {
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
#endif

}  // namespace orbic::cli::test
