// watch: the desktop program's device timer and connection start, headless.
// One line per event until interrupted, for users and factory lines.
#include <chrono>
#include <csignal>
#include <iostream>
#include <nlohmann/json.hpp>

#include "app/Session.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "device/DeviceMonitor.h"
#include "platform/HotplugWait.h"

namespace orbic::cli {

namespace {

volatile std::sig_atomic_t stopRequested = 0;

extern "C" void RequestStop(int) {
  stopRequested = 1;
}

// What a tick's connection start ended in, as an event name.
const char* EventName(app::ConnectionOutcome outcome, bool wasConnected) {
  switch (outcome) {
    case app::ConnectionOutcome::kRead:
    case app::ConnectionOutcome::kDriverConnected:
      return "read";
    case app::ConnectionOutcome::kNoMouse:
      return wasConnected ? "lost" : "absent";
    case app::ConnectionOutcome::kUnplugged:
      return "lost";
    case app::ConnectionOutcome::kNoPermission:
      return "denied";
    default:
      return "failed";
  }
}

class Watcher {
 public:
  Watcher(app::Session& session, CliUiHost& host, bool json)
      : session_(session), host_(host), json_(json), start_(std::chrono::steady_clock::now()) {}

  // One device-timer tick; prints what changed.
  void Tick() {
    const app::ConnectionOutcome before = session_.LastOutcome();
    const bool wasOpen = session_.Channel().IsOpen();
    const std::size_t messages = host_.messages.size();
    session_.Monitor().DevTimerTimer();
    const app::ConnectionOutcome after = session_.LastOutcome();
    const bool isOpen = session_.Channel().IsOpen();
    if (after == before && isOpen == wasOpen && host_.messages.size() == messages) {
      return;
    }
    const std::string message = host_.messages.size() > messages ? host_.messages.back() : "";
    const bool opened = after != app::ConnectionOutcome::kNoMouse &&
                        after != app::ConnectionOutcome::kNoPermission &&
                        after != app::ConnectionOutcome::kUnplugged;
    if (!wasOpen && opened) {
      Print("found", "");
    }
    Print(EventName(after, connected_), message);
    connected_ =
        after == app::ConnectionOutcome::kRead || after == app::ConnectionOutcome::kDriverConnected;
  }

 private:
  void Print(const char* event, std::string message) {
    for (char& c : message) {
      if (c == '\r') {
        c = ' ';
      }
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start_)
                        .count();
    if (json_) {
      nlohmann::json line{{"event", event}, {"timeMs", ms}};
      if (!message.empty()) {
        line["message"] = message;
      }
      std::cout << line.dump() << std::endl;
    } else {
      std::cout << ms << ' ' << event << (message.empty() ? "" : "  ") << message << std::endl;
    }
  }

  app::Session& session_;
  CliUiHost& host_;
  bool json_;
  bool connected_ = false;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace

int RunWatch(const GlobalOptions& options, bool json, int ticks, bool pollOnly) {
  CliSession cli;
  if (const auto failed = cli.Prepare(options)) {
    return *failed;
  }
  std::signal(SIGINT, RequestStop);
  std::signal(SIGTERM, RequestStop);
  Watcher watcher(cli.Session(), cli.Host(), json);
  platform::HotplugWait hotplug(!pollOnly);
  const bool simulated = !options.simulatedState.empty();

  for (int tick = 0; (ticks <= 0 || tick < ticks) && stopRequested == 0; ++tick) {
    watcher.Tick();
    if (simulated) {
      // The simulated mouse lives on a virtual clock: no real waiting.
      cli.Session().Clock().SleepMs(device::kDevTimerIntervalMs);
      continue;
    }
    // Until the next tick, or at once when a device comes or goes.
    hotplug.Wait(device::kDevTimerIntervalMs, stopRequested);
  }
  return cli.Finish() ? kExitOk : kExitBadInput;
}

}  // namespace orbic::cli
