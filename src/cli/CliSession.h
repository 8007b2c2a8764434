#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/Session.h"
#include "cli/CliUiHost.h"
#include "cli/DeviceAccess.h"

namespace orbic::cli {

// A session on the mouse for one command: the devices, the window stand-in
// and the program state, connected and read as the desktop program would.
class CliSession {
 public:
  // Opens the devices and runs the connection start. Returns the exit status
  // to end with when that failed (the message already printed), else nullopt.
  std::optional<int> Connect(const GlobalOptions& options);
  // Opens the devices and leaves the session in the no-device state, as the
  // window starts, without looking for the mouse.
  std::optional<int> Prepare(const GlobalOptions& options);
  // Saves a simulated mouse back; prints and returns false on failure.
  bool Finish();

  app::Session& Session() { return *session_; }
  CliUiHost& Host() { return host_; }
  // The last message the program showed, for the terminal.
  std::string LastMessage() const;

 private:
  std::unique_ptr<DeviceAccess> access_;
  CliUiHost host_;
  std::unique_ptr<app::Session> session_;
};

// The embedded behaviour configuration, or the [org] section of
// `options.configPath`. False with `error` when the file cannot be used.
bool LoadConfiguration(const GlobalOptions& options, ui::BehaviourConfig& config,
                       std::string& error);

// The folder of the running executable, with a trailing separator.
std::string ExecutableFolder();

}  // namespace orbic::cli
