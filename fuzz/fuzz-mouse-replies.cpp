// The command channel against a mouse whose replies are damaged as the input
// says: a connection start, then a verified write of the whole image, on the
// virtual clock. Each reply takes one byte of the input: 0 leaves it alone,
// otherwise its low three bits pick the reply byte and the next input byte is
// exclusive-ored into it. When the input runs out the replies are healthy
// again. Nothing may crash or hang; with no reply damaged the connection must
// read the image and the write must verify.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>

#include "app/Session.h"
#include "base/UiHost.h"
#include "device/VerifiedWrite.h"
#include "params/DefaultImages.h"
#include "sim/SimulatedHidBackend.h"
#include "sim/SimulatedMouse.h"
#include "sim/VirtualClock.h"

namespace {

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteSource source({data, size});
  const auto images = params::LoadDefaultImages();
  auto mouse = std::make_shared<sim::SimulatedMouse>();
  mouse->firmware.memory = images[0];
  mouse->garbleReply = [&source](std::span<std::uint8_t, 8> reply) {
    std::uint8_t how = 0;
    std::uint8_t mask = 0;
    if (!source.Next(how) || how == 0 || !source.Next(mask) || mask == 0) {
      return;
    }
    reply[how & 7] ^= mask;
    source.damaged = true;
  };
  sim::VirtualClock clock;
  mouse->SetClock(&clock);
  sim::SimulatedHidBackend backend;
  backend.AttachMouse(mouse);
  NullUiHost ui;
  app::Session session(backend, clock, ui, ui::BehaviourConfig{});
  session.RefreshErrorAP();
  const app::ConnectionOutcome outcome = session.ConnectNow();
  if (!source.damaged && outcome != app::ConnectionOutcome::kRead) {
    std::fprintf(stderr, "a healthy mouse did not connect\n");
    std::abort();
  }
  if (outcome != app::ConnectionOutcome::kRead) {
    return 0;
  }
  const device::VerifiedWriteReport report =
      device::WriteImageVerified(session.Channel(), ui, images[1]);
  if (!source.damaged && report.result != device::VerifiedWriteResult::kVerified) {
    std::fprintf(stderr, "a healthy mouse did not take the image\n");
    std::abort();
  }
  if (!source.damaged && mouse->firmware.memory != images[1]) {
    std::fprintf(stderr, "a verified write left other bytes in the mouse\n");
    std::abort();
  }
  return 0;
}
