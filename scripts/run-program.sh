#!/usr/bin/env bash
# Sets up the machine, builds orbic40 and orbic40-cli, reads a simulated mouse
# with the command-line tool (printing its settings) and starts the desktop
# program. Without a display the program runs under xvfb-run on a simulated
# mouse: it starts, reads the mouse, reports its start-up time and memory, and
# ends. Set ORBIC40_DEVICE=simulated to start the program on the demo mouse.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
echo "==> Configuring (preset default)"
cmake --preset default >/dev/null
echo "==> Building"
cmake --build --preset default --target orbic40-cli orbic40 -j"$(nproc)"

cli=build/default/src/cli/orbic40-cli
program=build/default/src/gui/orbic40
demo=build/demo
mkdir -p "$demo"
if [ ! -f "$demo/mouse.json" ]; then
  echo "==> Creating a simulated mouse in $demo/mouse.json"
  "$cli" sim new "$demo/mouse.json"
fi
echo "==> Reading the simulated mouse"
"$cli" --simulated "$demo/mouse.json" read "$demo/mouse.bin"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  echo "==> Starting $program"
  exec "$program"
fi
echo "==> No display: starting $program under xvfb-run on a simulated mouse"
XDG_STATE_HOME="$PWD/$demo/state" ORBIC40_DEVICE=simulated ORBIC40_STARTUP_REPORT=1 \
  xvfb-run --auto-servernum "$program"
