#!/usr/bin/env bash
# Sets up the machine, builds orbic40 and reads a simulated mouse with the
# command-line tool, printing its settings.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
echo "==> Configuring (preset default)"
cmake --preset default >/dev/null
echo "==> Building"
cmake --build --preset default --target orbic40-cli -j"$(nproc)"

cli=build/default/src/cli/orbic40-cli
demo=build/demo
mkdir -p "$demo"
if [ ! -f "$demo/mouse.json" ]; then
  echo "==> Creating a simulated mouse in $demo/mouse.json"
  "$cli" sim new "$demo/mouse.json"
fi
echo "==> Reading the simulated mouse"
"$cli" --simulated "$demo/mouse.json" read "$demo/mouse.bin"
