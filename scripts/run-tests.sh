#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: once in the
# default build and once under AddressSanitizer + UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
jobs="$(nproc)"

for preset in default asan; do
  echo "==> Configuring (preset $preset)"
  cmake --preset "$preset" >/dev/null
  echo "==> Building (preset $preset)"
  cmake --build --preset "$preset" -j"$jobs"
  echo "==> Testing (preset $preset)"
  ctest --preset "$preset" -j"$jobs"
done
echo "==> All tests passed in both builds."
