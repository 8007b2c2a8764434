// Any bytes as the files the user loads into a connected mouse: a profile (its
// first 2048 bytes become the image), a base macro file (1024 bytes into the
// slots' area) and a gun macro file (256 bytes into the fire macro area). A
// file too short changes nothing in the mouse; a file taken reaches the
// mouse's memory exactly where it belongs, and nothing else moves.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <system_error>

#include "FuzzCheck.h"
#include "app/RawMacroImport.h"
#include "app/Session.h"
#include "app/SettingsTransfer.h"
#include "base/UiHost.h"
#include "params/DefaultImages.h"
#include "params/ParameterImage.h"
#include "sim/SimulatedHidBackend.h"
#include "sim/SimulatedMouse.h"
#include "sim/VirtualClock.h"

namespace {

using orbic::fuzz::Fail;

using namespace orbic;
using app::TransferOutcome;

const std::filesystem::path& Folder() {
  return orbic::fuzz::ScratchFolder("profile");
}

// A healthy mouse holding default image 1, connected through a session.
struct Connected {
  std::shared_ptr<sim::SimulatedMouse> mouse = std::make_shared<sim::SimulatedMouse>();
  sim::VirtualClock clock;
  sim::SimulatedHidBackend backend;
  NullUiHost ui;
  app::Session session{backend, clock, ui, ui::BehaviourConfig{}};

  explicit Connected(const params::Image& image) {
    mouse->firmware.memory = image;
    mouse->SetClock(&clock);
    backend.AttachMouse(mouse);
    session.RefreshErrorAP();
    if (session.ConnectNow() != app::ConnectionOutcome::kRead) {
      Fail("a healthy mouse did not connect");
    }
  }
};

// The mouse's memory after a load of `size` bytes into `area`: unchanged when
// the file is too short, else the area holds the file's first bytes.
void CheckArea(const char* what, const params::Image& before, const params::Image& after,
               TransferOutcome outcome, params::Section area, std::span<const std::uint8_t> file) {
  if (file.size() < area.length) {
    if (outcome != TransferOutcome::kBadFile || after != before) {
      Fail("a short file was not refused cleanly:", what);
    }
    return;
  }
  if (outcome != TransferOutcome::kWritten) {
    Fail("a whole file was not written:", what);
  }
  for (std::size_t i = 0; i < after.size(); ++i) {
    const bool inside = i >= area.offset && i < area.offset + area.length;
    if (after[i] != (inside ? file[i - area.offset] : before[i])) {
      Fail("the mouse holds other bytes than the file:", what);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> file(data, size);
  const std::string path = (Folder() / "input.bin").string();
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  static const params::Image start = params::LoadDefaultImages()[0];
  std::string error;
  {
    Connected rig(start);
    const TransferOutcome outcome = app::SettingsTransfer(rig.session).LoadProfile(path, error);
    CheckArea("profile", start, rig.mouse->firmware.memory, outcome,
              params::Section{0, params::kImageSize}, file);
  }
  {
    Connected rig(start);
    const TransferOutcome outcome =
        app::RawMacroImport(rig.session).Btn_ImportBaseMacroClick(path, error);
    CheckArea("base macros", start, rig.mouse->firmware.memory, outcome,
              params::layout::kBaseMacroArea, file);
  }
  {
    Connected rig(start);
    const TransferOutcome outcome =
        app::RawMacroImport(rig.session).Btn_ImportGunMacroClick(path, error);
    CheckArea("gun macros", start, rig.mouse->firmware.memory, outcome,
              params::layout::kFireMacroTable, file);
  }
  return 0;
}
