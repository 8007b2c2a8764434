#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace orbic::platform {

// Runs `argv` as a child process (argv[0] looked up on PATH, never through a shell), with standard
// input and error on /dev/null, and waits at most `timeout` for it; a child still running then is
// killed. Its standard output (at most 64 KiB of it) when it exited with status 0 in time; nullopt
// when it could not be started, failed, or timed out.
std::optional<std::string> RunProcess(const std::vector<std::string>& argv,
                                      std::chrono::milliseconds timeout);

}  // namespace orbic::platform
