#pragma once

#include <memory>

#include "device/CommandChannel.h"
#include "device/HidDiscovery.h"
#include "params/DefaultImages.h"
#include "sim/SimulatedHidBackend.h"
#include "sim/SimulatedMouse.h"
#include "sim/VirtualClock.h"
#include "support/RecordingUiHost.h"

namespace orbic::test {

// A healthy simulated mouse holding default image 1, on a virtual clock,
// plugged into a simulated machine, with a window recorder.
struct MouseRig {
  MouseRig() {
    mouse->firmware.memory = params::LoadDefaultImages()[0];
    mouse->SetClock(&clock);
    backend.AttachMouse(mouse);
  }

  // Sent command bytes in order.
  std::vector<std::uint8_t> Commands() const { return mouse->SentCommands(); }

  std::shared_ptr<sim::SimulatedMouse> mouse = std::make_shared<sim::SimulatedMouse>();
  sim::VirtualClock clock;
  sim::SimulatedHidBackend backend;
  RecordingUiHost ui;
};

// A rig whose channel has the mouse open.
struct ChannelRig : MouseRig {
  ChannelRig() {
    std::uint32_t version = 0x0104;
    opened = device::OpenMouse(backend, channel.Device(), 0x1BCF, 0x08A0, version);
  }
  device::CommandChannel channel{backend, clock, ui};
  bool opened = false;
};

}  // namespace orbic::test
