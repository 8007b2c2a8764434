// How much the program adds to the protocol's own pacing: a whole-image read
// and a verified write against the simulated mouse on the real clock, with
// the wall time divided by the waits the protocol mandates for the same
// exchange (measured on a virtual clock). Goal: ratio <= 1.05.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "base/UiHost.h"
#include "device/CommandChannel.h"
#include "device/DeviceMonitor.h"
#include "device/HidDiscovery.h"
#include "device/VerifiedWrite.h"
#include "params/DefaultImages.h"
#include "platform/SteadyClock.h"
#include "sim/SimulatedHidBackend.h"
#include "sim/VirtualClock.h"

namespace {

using namespace orbic;

struct Rig {
  explicit Rig(orbic::Clock& clock) : channel(backend, clock, ui) {
    mouse->firmware.memory = params::LoadDefaultImages()[0];
    backend.AttachMouse(mouse);
    std::uint32_t version = device::kExpectedVersion;
    device::OpenMouse(backend, channel.Device(), device::kMouseIds.vendorId,
                      device::kMouseIds.productId, version);
  }
  std::shared_ptr<sim::SimulatedMouse> mouse = std::make_shared<sim::SimulatedMouse>();
  sim::SimulatedHidBackend backend;
  orbic::NullUiHost ui;
  device::CommandChannel channel;
};

using Operation = void (*)(Rig&);

void ReadImage(Rig& rig) {
  params::Image image;
  rig.channel.ReadMemory(0, image, true);
}

void WriteVerified(Rig& rig) {
  const params::Image image = params::LoadDefaultImages()[1];
  device::WriteImageVerified(rig.channel, rig.ui, image);
}

// The waits the protocol itself mandates for one run of the operation.
double MandatedMs(Operation operation) {
  sim::VirtualClock clock;
  Rig rig(clock);
  operation(rig);
  return static_cast<double>(clock.SleptMs());
}

void RunAgainstRealClock(benchmark::State& state, Operation operation) {
  const double mandatedMs = MandatedMs(operation);
  platform::SteadyClock clock;
  Rig rig(clock);
  double wallMs = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    operation(rig);
    wallMs +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  const double perRun = wallMs / static_cast<double>(state.iterations());
  state.counters["mandated_ms"] = mandatedMs;
  state.counters["wall_ms"] = perRun;
  state.counters["ratio"] = perRun / mandatedMs;
}

void BM_ReadWholeImage(benchmark::State& state) {
  RunAgainstRealClock(state, ReadImage);
}
void BM_VerifiedWrite(benchmark::State& state) {
  RunAgainstRealClock(state, WriteVerified);
}

BENCHMARK(BM_ReadWholeImage)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_VerifiedWrite)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
