#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build/fuzz and runs each in turn
# for the given number of seconds (default 30). A crash, leak, timeout or
# sanitizer report fails the run. Inputs that reach new coverage are merged
# into fuzz/corpus/<target>/; with CI=true the fuzzers work on a temporary
# copy of the corpus so the git tree stays clean.
#   bash scripts/run-fuzz.sh [seconds] [target ...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
shift || true
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -eq 0 ]; then
  echo "usage: $0 [seconds per target] [target ...]" >&2
  exit 2
fi

# target:max_len:keep_len in bytes. max_len is a little over the largest valid
# input, less for the text formats whose shipped files are long, so runs stay
# fast. Inputs kept in the committed corpus are cut to keep_len so it stays
# small (a few hundred KB over all targets).
all_targets=(
  fuzz-macro-record:2100:2100
  fuzz-macro-library:30000:2048
  fuzz-report-descriptor:4096:4096
  fuzz-settings-image:2048:2048
  fuzz-ini-layout:4096:2048
  fuzz-unicode-language:4096:2048
  fuzz-gun-key-list:64:64
  fuzz-macro-lines:4096:4096
  fuzz-state-files:6144:6144
  fuzz-mouse-replies:1024:1024
  fuzz-driver-replies:1024:1024
  fuzz-pointer-settings:4096:4096
  fuzz-profile-files:2100:2100
)
targets=()
if [ $# -gt 0 ]; then
  for wanted in "$@"; do
    found=""
    for entry in "${all_targets[@]}"; do
      if [ "${entry%%:*}" = "$wanted" ]; then
        targets+=("$entry")
        found=1
      fi
    done
    if [ -z "$found" ]; then
      echo "unknown fuzz target: $wanted" >&2
      exit 2
    fi
  done
else
  targets=("${all_targets[@]}")
fi

# The build dependencies, then the fuzzing toolchain (apt only, missing ones only).
bash scripts/setup-debian.sh
fuzz_packages=(clang-14 libclang-rt-14-dev)
missing=()
for package in "${fuzz_packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  echo "==> Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
echo "==> Configuring build/fuzz (clang)"
CC=clang-14 CXX=clang++-14 cmake -S . -B build/fuzz -DORBIC40_BUILD_FUZZ=ON \
  -DORBIC40_BUILD_TESTS=OFF -DORBIC40_BUILD_GUI=OFF -DORBIC40_BUILD_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
echo "==> Building"
names=()
for entry in "${targets[@]}"; do
  names+=("${entry%%:*}")
done
cmake --build build/fuzz -j"$(nproc)" --target "${names[@]}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

summary=()
failed=0
for entry in "${targets[@]}"; do
  name="${entry%%:*}"
  IFS=: read -r _ max_len keep_len <<<"$entry"
  binary="build/fuzz/fuzz/$name"
  committed="fuzz/corpus/$name"
  corpus="$work/corpus-$name"
  artifacts="fuzz/findings/$name"
  if [ "${CI:-}" = "true" ]; then
    artifacts="$work/findings-$name"
  fi
  mkdir -p "$corpus" "$artifacts"
  if [ -d "$committed" ]; then
    cp -r "$committed/." "$corpus/"
  fi
  log="$work/$name.log"
  echo "==> $name for ${seconds}s"
  status=0
  "$binary" -max_total_time="$seconds" -max_len="$max_len" -rss_limit_mb=2048 -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1 || status=$?
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
  if [ "$status" -eq 0 ]; then
    result="ok"
    if [ "${CI:-}" != "true" ]; then
      # The committed corpus becomes the smallest set that keeps all coverage
      # of the old corpus and of this run, so it stays small.
      minimal="$work/minimal-$name"
      mkdir -p "$minimal" "$committed"
      if "$binary" -merge=1 -max_len="$keep_len" -rss_limit_mb=2048 -timeout=10 \
        "$minimal" "$committed" "$corpus" >"$log.merge" 2>&1; then
        find "$committed" -type f -delete
        cp "$minimal"/. "$committed"/ -r
      else
        echo "--- corpus merge failed; $committed left as it was"
      fi
    fi
    rmdir "$artifacts" 2>/dev/null || true
  else
    result="FAILED (exit $status)"
    failed=1
    tail -n 60 "$log"
    echo "--- findings kept in $artifacts; replay with $binary <file>"
    if [ "${CI:-}" = "true" ]; then
      ls -l "$artifacts" || true
    fi
  fi
  summary+=("$(printf '%-24s %-22s %s runs' "$name" "$result" "${runs:-?}")")
done
rmdir fuzz/findings 2>/dev/null || true

echo
echo "==> Fuzzing summary (${seconds}s per target)"
printf '%s\n' "${summary[@]}"
if [ "$failed" -ne 0 ]; then
  echo "==> Some fuzz targets failed."
  exit 1
fi
echo "==> All fuzz targets passed."
