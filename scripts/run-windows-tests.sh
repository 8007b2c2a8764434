#!/usr/bin/env bash
# Builds the Windows programs with MinGW-w64 (preset windows) and runs every Windows test suite
# under Wine, headless, in a fresh Wine prefix; then runs the same command-line round trips with
# the Windows .exe and the Linux build against simulated mice and compares their files byte for
# byte. Last line: "N passed, N failed"; the exit status is non-zero when anything failed.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

export CCACHE_DIR=${CCACHE_DIR:-$root/.ccache}
export CCACHE_BASEDIR=$root
jobs=${JOBS:-2}
passed=0
failed=0

pass() { passed=$((passed + $1)); }
fail() {
  failed=$((failed + $1))
  shift
  echo "FAILED: $*" >&2
}
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit $?
}

# --- toolchain, Wine and the libraries the builds take from Debian ------------------------------
packages=(cmake make pkg-config g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev googletest
          libcli11-dev nlohmann-json3-dev wine64 wine)
# The Linux command-line tool for the comparison needs its own build dependencies.
packages+=(g++ libhidapi-dev libudev-dev libgtest-dev libgmock-dev)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "==> Installing: ${missing[*]}"
  $sudo apt-get update -q
  # wine64 alone runs the 64-bit programs: no i386 multiarch is needed.
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends \
    "${missing[@]}" || { fail 1 "installing ${missing[*]}"; finish; }
fi
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# --- builds ---------------------------------------------------------------------------------------
echo "==> Windows build (preset windows)"
if ! cmake --preset windows "${launcher[@]}" >build-windows-configure.log 2>&1 ||
   ! cmake --build build/windows -j"$jobs" >build-windows.log 2>&1; then
  tail -40 build-windows-configure.log build-windows.log 2>/dev/null
  fail 1 "Windows build (see build-windows.log)"
  finish
fi
rm -f build-windows-configure.log build-windows.log

linuxCli=build/default/src/cli/orbic40-cli
echo "==> Linux command-line tool (preset default)"
if [ ! -f build/default/CMakeCache.txt ]; then
  cmake --preset default "${launcher[@]}" -DORBIC40_BUILD_GUI=OFF -DORBIC40_BUILD_BENCH=OFF \
    >/dev/null || { fail 1 "Linux configure"; finish; }
fi
# Up to date with the sources, so both sides run the same code.
cmake --build build/default --target orbic40-cli -j"$jobs" >/dev/null ||
  { fail 1 "Linux build of orbic40-cli"; finish; }

# --- Wine -------------------------------------------------------------------------------------------
export WINEPREFIX=$root/build/windows/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer dialogs
export DISPLAY=""                           # headless: Wine's null display driver
rm -rf "$WINEPREFIX"
wine=(wine)
[ -x /usr/lib/wine/wine64 ] && wine=(/usr/lib/wine/wine64)
"${wine[@]}" wineboot --init >/dev/null 2>&1
wineserver -w 2>/dev/null || true

# --- test suites --------------------------------------------------------------------------------------
suites=(build/windows/tests/orbic40-core-tests.exe build/windows/tests/orbic40-sim-tests.exe
        build/windows/tests/orbic40-platform-tests.exe build/windows/tests/cli/orbic40-cli-tests.exe)
for suite in "${suites[@]}"; do
  name=$(basename "$suite" .exe)
  if [ ! -f "$suite" ]; then
    fail 1 "$name was not built"
    continue
  fi
  log=build/windows/$name.log
  echo "==> $name under Wine"
  "${wine[@]}" "$suite" --gtest_brief=1 >"$log" 2>&1
  status=$?
  ok=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -1)
  bad=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -1)
  pass "${ok:-0}"
  if [ -n "$bad" ] && [ "$bad" -gt 0 ]; then
    grep '^\[  FAILED  \]' "$log" >&2
    fail "$bad" "$name ($log)"
  elif [ "$status" -ne 0 ] || [ -z "$ok" ]; then
    tail -20 "$log" >&2
    fail 1 "$name exited with $status ($log)"
  fi
done

# --- the same commands with both builds, files compared byte for byte --------------------------------
work=build/windows/roundtrip
rm -rf "$work"
mkdir -p "$work/linux" "$work/windows"
windowsCli=$root/build/windows/src/cli/orbic40-cli.exe

# run SIDE ARGS...: the tool of that side, run in its own folder, output to files there.
run() {
  local side=$1
  shift
  if [ "$side" = linux ]; then
    (cd "$work/linux" && "$root/$linuxCli" "$@")
  else
    (cd "$work/windows" && "${wine[@]}" "$windowsCli" "$@")
  fi
}

# step NAME ARGS...: runs both sides with ARGS (file names relative to each side's folder),
# keeps their standard output in NAME.out, and compares every file of the two folders.
step() {
  local name=$1
  shift
  local linuxStatus windowsStatus
  run linux "$@" >"$work/linux/$name.out" 2>"$work/linux-$name.err"
  linuxStatus=$?
  run windows "$@" >"$work/windows/$name.out" 2>"$work/windows-$name.err"
  windowsStatus=$?
  if [ "$linuxStatus" -ne "$windowsStatus" ]; then
    fail 1 "$name: exit status $linuxStatus on Linux, $windowsStatus on Windows"
    cat "$work/windows-$name.err" >&2
    return
  fi
  if diff -r "$work/linux" "$work/windows" >"$work/$name.diff" 2>&1; then
    pass 1
  else
    fail 1 "$name: the files differ ($work/$name.diff)"
  fi
}

echo "==> Round trips against simulated mice"
step sim-new sim new mouse.json
step sim-new-driver sim new-driver driver.json --id 00AB
step read --simulated mouse.json read image.bin
step decode decode image.bin --json
step image-set image set image.bin changed.bin dpi.count=3 "led.type=Breath LED"
step decode-changed decode changed.bin --json
step apply --simulated mouse.json apply changed.bin
step read-back --simulated mouse.json read back.bin
step slots image slots back.bin --json
step fire image fire back.bin --json
step read-again --simulated mouse.json read again.bin
if cmp -s "$work/windows/changed.bin" "$work/windows/back.bin"; then
  pass 1
else
  fail 1 "the Windows build did not read back what it applied"
fi

finish
