// Any bytes as damage to the mouse's replies (a position and a value XORed in,
// reply after reply): the connection start, the verified write and the raw
// macro import must not crash or hang, whatever the mouse answers. Runs on the
// virtual clock, so a full exchange costs no real time.
#include <unistd.h>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "app/RawMacroImport.h"
#include "app/Session.h"
#include "app/SettingsTransfer.h"
#include "base/UiHost.h"
#include "params/DefaultImages.h"
#include "sim/SimulatedHidBackend.h"
#include "sim/VirtualClock.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto mouse = std::make_shared<orbic::sim::SimulatedMouse>();
  mouse->firmware.memory = orbic::params::LoadDefaultImages()[0];
  mouse->faults.replyNoise.assign(data, data + size);
  orbic::sim::VirtualClock clock;
  orbic::sim::SimulatedHidBackend backend;
  backend.AttachMouse(mouse);
  orbic::NullUiHost ui;
  orbic::app::Session session(backend, clock, ui, {});
  session.RefreshErrorAP();
  if (session.ConnectNow() != orbic::app::ConnectionOutcome::kRead) {
    return 0;
  }
  orbic::app::SettingsTransfer(session).Apply();
  if (session.Channel().IsOpen()) {
    static const std::string file = [] {
      const std::string path = "/tmp/fuzz-import-" + std::to_string(::getpid()) + ".bin";
      std::ofstream(path, std::ios::binary).write(std::string(1024, '\x5A').data(), 1024);
      return path;
    }();
    std::string error;
    orbic::app::RawMacroImport(session).Btn_ImportBaseMacroClick(file, error);
  }
  return 0;
}
