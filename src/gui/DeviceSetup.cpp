#include "gui/DeviceSetup.h"

#include <cstdlib>
#include <filesystem>

#include "platform/NativeServices.h"
#include "platform/SteadyClock.h"
#include "sim/MouseStateFile.h"
#include "sim/SimulatedHidBackend.h"
#include "sim/StateAside.h"

namespace orbic::gui {

namespace {
constexpr const char* kStateFileName = "mouse.state";
}

std::unique_ptr<DeviceSetup> DeviceSetup::Create(const std::string& deviceEnv,
                                                 const std::string& stateFolder,
                                                 std::string& error) {
  std::unique_ptr<DeviceSetup> setup(new DeviceSetup());
  // Demo transfers take real time, so the loading window shows as it would
  // with the mouse.
  setup->clock_ = std::make_unique<platform::SteadyClock>();
  if (deviceEnv != "simulated") {
    setup->backend_ = platform::NativeHidBackend();
    return setup;
  }
  setup->statePath_ = (std::filesystem::path(stateFolder) / kStateFileName).string();
  auto mouse = std::make_shared<sim::SimulatedMouse>();
  std::error_code ignored;
  if (std::filesystem::exists(setup->statePath_, ignored) &&
      !sim::LoadMouseState(setup->statePath_, *mouse, error)) {
    // A damaged state: kept aside rather than overwritten at exit, and a fresh mouse.
    std::string asideError;
    const std::string aside = sim::SetStateAside(setup->statePath_, asideError);
    error += aside.empty() ? "; " + asideError : "; the damaged file was kept as " + aside;
    mouse = std::make_shared<sim::SimulatedMouse>();
  }
  mouse->SetClock(setup->clock_.get());
  auto backend = std::make_unique<sim::SimulatedHidBackend>();
  backend->AttachMouse(mouse);
  setup->mouse_ = mouse;
  setup->backend_ = std::move(backend);
  return setup;
}

DeviceSetup::~DeviceSetup() {
  if (mouse_) {
    mouse_->SetClock(nullptr);
  }
}

bool DeviceSetup::Save(std::string& error) {
  if (!mouse_) {
    return true;
  }
  std::error_code failure;
  std::filesystem::create_directories(std::filesystem::path(statePath_).parent_path(), failure);
  if (failure) {
    error = "cannot create " + std::filesystem::path(statePath_).parent_path().string() + ": " +
            failure.message();
    return false;
  }
  return sim::SaveMouseState(statePath_, *mouse_, error);
}

std::string DeviceSetup::DefaultStateFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && *state != '\0') {
    return (std::filesystem::path(state) / "orbic40").string();
  }
  const char* home = std::getenv("HOME");
  return (std::filesystem::path(home != nullptr ? home : ".") / ".local" / "state" / "orbic40")
      .string();
}

}  // namespace orbic::gui
