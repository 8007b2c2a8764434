#include "platform/ProcessRunner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

extern char** environ;

namespace orbic::platform {

namespace {

constexpr std::size_t kMaxOutput = 64 * 1024;
// How often a child that closed its output is checked for having exited.
constexpr int kExitPollMs = 5;

using Clock = std::chrono::steady_clock;

int MsUntil(Clock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return static_cast<int>(std::clamp<long long>(left, 0, 60'000));
}

// Reads until end of file or the deadline; false on the deadline.
bool ReadOutput(int fd, Clock::time_point deadline, std::string& output) {
  char buffer[4096];
  for (;;) {
    pollfd entry{fd, POLLIN, 0};
    const int ready = ::poll(&entry, 1, MsUntil(deadline));
    if (ready < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    if (ready == 0) {
      return false;
    }
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count < 0) {
      if (errno == EINTR || errno == EAGAIN) {
        continue;
      }
      return false;
    }
    if (count == 0) {
      return true;
    }
    // Anything beyond the cap is drained and dropped so the child never blocks on a full pipe.
    const std::size_t room = kMaxOutput - std::min(kMaxOutput, output.size());
    output.append(buffer, std::min(room, static_cast<std::size_t>(count)));
  }
}

// The child's wait status once it has exited, or nullopt when the deadline passed first.
std::optional<int> WaitForExit(pid_t pid, Clock::time_point deadline) {
  for (;;) {
    int status = 0;
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) {
      return status;
    }
    if (done < 0 && errno != EINTR) {
      return std::nullopt;
    }
    if (Clock::now() >= deadline) {
      return std::nullopt;
    }
    ::poll(nullptr, 0, kExitPollMs);
  }
}

void KillAndReap(pid_t pid) {
  ::kill(pid, SIGKILL);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace

std::optional<std::string> RunProcess(const std::vector<std::string>& argv,
                                      std::chrono::milliseconds timeout) {
  if (argv.empty() || argv.front().empty()) {
    return std::nullopt;
  }
  std::vector<char*> arguments;
  arguments.reserve(argv.size() + 1);
  for (const std::string& argument : argv) {
    arguments.push_back(const_cast<char*>(argument.c_str()));
  }
  arguments.push_back(nullptr);

  int pipeEnds[2];
  if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
    return std::nullopt;
  }
  const int readEnd = pipeEnds[0];
  const int writeEnd = pipeEnds[1];

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, writeEnd, STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawnError =
      ::posix_spawnp(&pid, arguments.front(), &actions, nullptr, arguments.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(writeEnd);
  if (spawnError != 0) {
    ::close(readEnd);
    return std::nullopt;
  }

  const Clock::time_point deadline = Clock::now() + timeout;
  std::string output;
  const bool complete = ReadOutput(readEnd, deadline, output);
  ::close(readEnd);
  const std::optional<int> status = complete ? WaitForExit(pid, deadline) : std::nullopt;
  if (!status) {
    KillAndReap(pid);
    return std::nullopt;
  }
  if (!WIFEXITED(*status) || WEXITSTATUS(*status) != 0) {
    return std::nullopt;
  }
  return output;
}

}  // namespace orbic::platform
