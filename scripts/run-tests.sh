#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the formatting
# check, the unit suites once in the default build and once under
# AddressSanitizer + UndefinedBehaviorSanitizer, then the kernel bench (the
# real USB, hidraw and hidapi path in a virtual machine), the Windows build
# with its suites under Wine, and a short run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$(date +%s)

bash scripts/setup-debian.sh
jobs="$(nproc)"

echo "==> Checking the formatting"
bash scripts/check-format.sh

for preset in default asan; do
  echo "==> Configuring (preset $preset)"
  cmake --preset "$preset" >/dev/null
  echo "==> Building (preset $preset)"
  cmake --build --preset "$preset" -j"$jobs"
  echo "==> Testing (preset $preset)"
  ctest --preset "$preset" -j"$jobs"
done

echo "==> Kernel bench"
bash scripts/run-kernel-tests.sh

echo "==> Windows build and tests under Wine"
bash scripts/run-windows-tests.sh

echo "==> Fuzz smoke (30 s a target)"
bash scripts/run-fuzz.sh 30

echo "==> All tests passed ($(($(date +%s) - started)) s)."
