#pragma once

#include "app/Session.h"
#include "support/MouseRig.h"

namespace orbic::test {

// A session in the no-device state, as the window leaves it after start-up,
// with a healthy simulated mouse plugged in.
struct SessionRig : MouseRig {
  explicit SessionRig(ui::BehaviourConfig config = {}) : session(backend, clock, ui, config) {
    session.RefreshErrorAP();
    ui.Clear();
    mouse->ClearTranscript();
  }
  app::Session session;
};

}  // namespace orbic::test
