#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default
# 30), one after the other. A crash, leak or sanitizer report fails the run.
# Inputs that find new coverage are merged into fuzz/corpus/<target>; in CI
# (CI=true) the run works on a copy, so the tree stays clean.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
build="build/fuzz"
root="$PWD"

packages=(clang-14 libclang-rt-14-dev)
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
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

echo "==> Building the fuzz targets (clang, libFuzzer, ASan + UBSan)"
CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -DORBIC40_BUILD_FUZZ=ON -DORBIC40_BUILD_TESTS=OFF \
  -DORBIC40_BUILD_GUI=OFF -DORBIC40_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
mapfile -t targets < <(cd fuzz && ls fuzz-*.cpp | sed 's/\.cpp$//')
cmake --build "$build" --target "${targets[@]}" -j"$(nproc)" >/dev/null

corpusRoot="fuzz/corpus"
if [ "${CI:-}" = "true" ]; then
  corpusRoot="$(mktemp -d)"
  cp -r fuzz/corpus/. "$corpusRoot/" 2>/dev/null || true
fi

passed=0
failed=0
for target in "${targets[@]}"; do
  corpus="$corpusRoot/$target"
  mkdir -p "$corpus"
  work="$(mktemp -d)"
  log="$build/$target.log"
  echo "==> $target for ${seconds} s"
  mkdir -p "$work/new"
  set +e
  (cd "$work" && "$root/$build/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 \
    -timeout=20 -max_len=65536 -print_final_stats=1 "$work/new" "$root/$corpus") >"$log" 2>&1
  status=$?
  set -e
  if [ $status -ne 0 ] || grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:' "$log"; then
    echo "FAIL $target (status $status; see $log)"
    grep -m5 -E 'ERROR|SUMMARY|runtime error|Test unit written' "$log" || true
    failed=$((failed + 1))
  else
    runs=$(grep -m1 -oE 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$' || echo 0)
    echo "ok   $target: $runs executions"
    passed=$((passed + 1))
    # Keep only what adds coverage.
    if [ -n "$(ls -A "$work/new" 2>/dev/null)" ]; then
      "$build/fuzz/$target" -merge=1 "$corpus" "$work/new" >/dev/null 2>&1 || true
    fi
  fi
  rm -rf "$work"
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
