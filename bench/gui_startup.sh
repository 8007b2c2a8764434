#!/usr/bin/env bash
# Start-up of the desktop program in demo mode: the time from starting the
# process to the window's first paint, and the resident memory once the
# simulated mouse has been read. Goals: under 300 ms and under 80 MB.
#
#   bench/gui_startup.sh [path/to/orbic40] [runs]
#
# Without a display it runs on Qt's offscreen platform. Each run gets a fresh
# demo mouse in a temporary state folder.
set -euo pipefail
cd "$(dirname "$0")/.."

program=${1:-build/default/src/gui/orbic40}
runs=${2:-5}
if [ ! -x "$program" ]; then
  echo "no program at $program; build it first (cmake --build --preset default --target orbic40)" >&2
  exit 2
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
fi

state=$(mktemp -d)
trap 'rm -rf "$state"' EXIT
paints=()
memories=()
for run in $(seq 1 "$runs"); do
  log="$state/run$run.log"
  start=$(date +%s%3N)
  XDG_STATE_HOME="$state/s$run" ORBIC40_DEVICE=simulated ORBIC40_STARTUP_REPORT=1 \
    "$program" 2>"$log" >/dev/null || { cat "$log" >&2; exit 1; }
  painted=$(sed -n 's/^orbic40: first paint at \([0-9]*\) ms$/\1/p' "$log")
  memory=$(sed -n 's/^orbic40: resident memory after the read \([0-9]*\) KiB$/\1/p' "$log")
  if [ -z "$painted" ] || [ -z "$memory" ]; then
    echo "run $run reported nothing:" >&2
    cat "$log" >&2
    exit 1
  fi
  paints+=($((painted - start)))
  memories+=("$memory")
  echo "run $run: first paint after $((painted - start)) ms, resident $((memory / 1024)) MB after the read"
done

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }
echo "median: first paint after $(median "${paints[@]}") ms (goal < 300)," \
  "resident $(( $(median "${memories[@]}") / 1024 )) MB after the read (goal < 80)"
