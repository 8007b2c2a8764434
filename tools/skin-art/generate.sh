#!/usr/bin/env bash
# Regenerates the skin layouts (resources/org1..3.ini), the skin pictures with
# the loading animation (resources/skin/) and the program icon (resources/icons/).
# Run from anywhere; the outputs are committed.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$root/build/skin-art"

python3 "$root/tools/skin-art/make_layouts.py"
# Debug: GCC 12 reports false -Wrestrict faults in optimised builds of the core.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DORBIC40_BUILD_GUI=ON \
  -DORBIC40_BUILD_SKIN_ART=ON -DORBIC40_BUILD_TESTS=OFF -DORBIC40_BUILD_BENCH=OFF \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build "$build" -j1 --target skin-art
QT_QPA_PLATFORM=offscreen "$build/tools/skin-art/skin-art" "$root/resources/org1.ini" \
  "$root/resources/skin" "$root/resources/icons"
