// Cost of listing the machine's HID interfaces through hidapi, with and without the
// per-interface openability check the discovery adds on top.
#include <benchmark/benchmark.h>

#include "device/HidDiscovery.h"
#include "platform/HidapiBackend.h"

namespace {

void BM_CountHidInterfaces(benchmark::State& state) {
  orbic::platform::HidapiBackend backend;
  int count = 0;
  for (auto _ : state) {
    count = orbic::device::CountHidInterfaces(backend);
    benchmark::DoNotOptimize(count);
  }
  state.counters["interfaces"] = count;
}
BENCHMARK(BM_CountHidInterfaces);

void BM_HidapiEnumerate(benchmark::State& state) {
  orbic::platform::HidapiBackend backend;
  std::size_t count = 0;
  for (auto _ : state) {
    const auto interfaces = backend.Enumerate();
    count = interfaces.size();
    benchmark::DoNotOptimize(interfaces.data());
  }
  state.counters["interfaces"] = static_cast<double>(count);
}
BENCHMARK(BM_HidapiEnumerate);

}  // namespace

BENCHMARK_MAIN();
