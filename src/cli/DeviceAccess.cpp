#include "cli/DeviceAccess.h"

#include <cstdlib>
#include <cstring>
#include <iostream>

#include "device/TracingHidBackend.h"
#include "platform/NativeServices.h"
#include "platform/SteadyClock.h"
#include "sim/DriverStateFile.h"
#include "sim/MouseStateFile.h"
#include "sim/SimulatedHidBackend.h"
#include "sim/VirtualClock.h"

namespace orbic::cli {

namespace {

bool TraceFromEnvironment() {
  const char* value = std::getenv("ORBIC40_TRACE");
  return value != nullptr && std::strcmp(value, "1") == 0;
}

}  // namespace

std::unique_ptr<DeviceAccess> DeviceAccess::Open(const GlobalOptions& options, std::string& error) {
  std::unique_ptr<DeviceAccess> access(new DeviceAccess());
  access->options_ = options;
  if (!options.simulatedState.empty()) {
    auto mouse = std::make_shared<sim::SimulatedMouse>();
    if (!sim::LoadMouseState(options.simulatedState, *mouse, error)) {
      return nullptr;
    }
    auto clock = std::make_unique<sim::VirtualClock>();
    mouse->SetClock(clock.get());
    auto backend = std::make_unique<sim::SimulatedHidBackend>();
    backend->AttachMouse(mouse);
    access->mouse_ = mouse;
    access->inner_ = std::move(backend);
    access->clock_ = std::move(clock);
  } else {
    access->inner_ = platform::NativeHidBackend();
    access->clock_ = std::make_unique<platform::SteadyClock>();
  }
  if (!options.simulatedDriver.empty()) {
    auto driver = std::make_unique<sim::SimulatedFilterDriver>();
    if (!sim::LoadDriverState(options.simulatedDriver, *driver, error)) {
      return nullptr;
    }
    access->driver_ = driver.get();
    access->driverPort_ = std::move(driver);
  } else {
    access->driverPort_ = platform::NativeDriverPort();  // none where no filter driver exists
  }
  if (options.trace || TraceFromEnvironment()) {
    access->backend_ = std::make_unique<device::TracingHidBackend>(*access->inner_, std::cerr);
  } else {
    access->backend_.reset();
  }
  return access;
}

DeviceAccess::~DeviceAccess() = default;

bool DeviceAccess::SaveSimulatedState(std::string& error) {
  if (mouse_) {
    mouse_->SetClock(nullptr);
    if (!sim::SaveMouseState(options_.simulatedState, *mouse_, error)) {
      return false;
    }
  }
  if (driver_ && !sim::SaveDriverState(options_.simulatedDriver, *driver_, error)) {
    return false;
  }
  return true;
}

}  // namespace orbic::cli
