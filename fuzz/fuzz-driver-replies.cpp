// The driver channel against a filter driver whose replies are damaged as the
// input says: a driver-mode connection start, then the write-back of every
// section, on the virtual clock. Each reply takes one byte of the input: 0
// leaves it alone, otherwise the next two bytes give the position (modulo the
// reply's length) and an exclusive-or mask. When the input runs out the replies
// are healthy again. Nothing may crash or hang; with no reply damaged the
// connection must reach the driver and the write-back must succeed.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>

#include "FuzzCheck.h"
#include "app/Session.h"
#include "app/SettingsTransfer.h"
#include "base/UiHost.h"
#include "params/DefaultImages.h"
#include "sim/SimulatedFilterDriver.h"
#include "sim/SimulatedHidBackend.h"
#include "sim/SimulatedMouse.h"
#include "sim/VirtualClock.h"

namespace {

using orbic::fuzz::Fail;

using namespace orbic;

// The input as a stream of damage instructions.
class ByteSource {
 public:
  explicit ByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool Next(std::uint8_t& byte) {
    if (at_ >= bytes_.size()) {
      return false;
    }
    byte = bytes_[at_++];
    return true;
  }
  bool damaged = false;

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

ui::BehaviourConfig DriverConfig() {
  ui::BehaviourConfig config;
  config.apMode = 1;
  config.eepromMode = false;
  return config;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteSource source({data, size});
  static const params::Image image = params::LoadDefaultImages()[0];
  // Built before the session, so the driver outlives the session's handle on it.
  sim::SimulatedFilterDriver driver;
  std::copy_n(image.begin(), 240, driver.memory.begin());
  // The fire-key block: two leading bytes, then the Fire Key section.
  std::copy_n(image.begin() + 240, 11, driver.memory.begin() + 242);
  driver.garbleReply = [&source](std::span<std::uint8_t> reply) {
    std::uint8_t how = 0;
    std::uint8_t at = 0;
    std::uint8_t mask = 0;
    if (!source.Next(how) || how == 0 || !source.Next(at) || !source.Next(mask) || mask == 0) {
      return;
    }
    reply[(static_cast<std::size_t>(how) << 8 | at) % reply.size()] ^= mask;
    source.damaged = true;
  };
  auto mouse = std::make_shared<sim::SimulatedMouse>();
  mouse->firmware.memory = image;
  mouse->firmware.cmd1Reply = 0xA6;
  mouse->firmware.ledTypeByte = 0x80;
  sim::VirtualClock clock;
  mouse->SetClock(&clock);
  sim::SimulatedHidBackend backend;
  backend.AttachMouse(mouse);
  NullUiHost ui;
  app::Session session(backend, clock, ui, DriverConfig());
  session.RefreshErrorAP();
  session.SetDriverPort(driver);
  const app::ConnectionOutcome outcome = session.ConnectNow();
  if (!source.damaged && outcome != app::ConnectionOutcome::kDriverConnected) {
    Fail("a healthy driver did not connect");
  }
  if (outcome != app::ConnectionOutcome::kDriverConnected) {
    return 0;
  }
  const app::TransferOutcome written = app::SettingsTransfer(session).Apply();
  if (!source.damaged && written != app::TransferOutcome::kWritten) {
    Fail("a healthy driver did not take the write-back");
  }
  return 0;
}
