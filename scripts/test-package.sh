#!/usr/bin/env bash
# Installs the built Debian package on this machine, checks the installed
# programs and files, removes and purges it, and checks nothing is left.
# Needs root (dpkg -i); CI runs it as root. Ends with "N passed, N failed".
#   bash scripts/test-package.sh [package.deb]   (default: build/package/orbic40_*.deb)
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

deb="${1:-}"
if [ -z "$deb" ]; then
  deb="$(ls "$root"/build/package/orbic40_*.deb 2>/dev/null | head -n 1)"
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "test-package: skipped, installing a package needs root (CI runs this as root)"
  echo "0 passed, 0 failed"
  exit 0
fi
if [ -z "$deb" ] || [ ! -f "$deb" ]; then
  echo "test-package: no package; build it first with scripts/build-package.sh"
  echo "0 passed, 1 failed"
  exit 1
fi

passed=0
failed=0
pass() { echo "PASS $1"; passed=$((passed + 1)); }
fail() { echo "FAIL $1: $2"; failed=$((failed + 1)); }
check() { # check NAME COMMAND...
  local name="$1"
  shift
  local out
  if out="$("$@" 2>&1)"; then pass "$name"; else fail "$name" "$out"; fi
}

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
version="$(dpkg-deb -f "$deb" Version)"
echo "==> Installing $deb ($version)"

if dpkg -i "$deb" >"$work/install.log" 2>&1; then
  pass install
elif DEBIAN_FRONTEND=noninteractive apt-get install -f -y >>"$work/install.log" 2>&1 &&
  dpkg -s orbic40 >/dev/null 2>&1; then
  pass "install (missing dependencies brought in by apt-get -f)"
else
  fail install "$(cat "$work/install.log")"
  echo "$passed passed, $failed failed"
  exit 1
fi
dpkg -L orbic40 >"$work/files.txt"

check "orbic40-cli --version" test "$(/usr/bin/orbic40-cli --version)" = "orbic40-cli $version"
check "orbic40 --version" test "$(/usr/bin/orbic40 --version)" = "orbic40 $version"
check "orbic40-cli runs from the installed file" test "$(command -v orbic40-cli)" = /usr/bin/orbic40-cli

rule=/usr/lib/udev/rules.d/70-orbic40.rules
check "udev rule installed" test -f "$rule"
check "udev-rule prints the installed rule" cmp -s "$rule" <(/usr/bin/orbic40-cli udev-rule)

for file in /usr/share/man/man1/orbic40.1.gz /usr/share/man/man1/orbic40-cli.1.gz \
  /usr/share/bash-completion/completions/orbic40-cli \
  /usr/share/applications/io.github.orbic40.orbic40.desktop \
  /usr/share/metainfo/io.github.orbic40.orbic40.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/io.github.orbic40.orbic40.svg \
  /usr/share/doc/orbic40/copyright; do
  check "installed: $file" test -s "$file"
done
for size in 16 32 48 64 128 256; do
  check "icon ${size}x${size}" test -s "/usr/share/icons/hicolor/${size}x${size}/apps/io.github.orbic40.orbic40.png"
done
if command -v desktop-file-validate >/dev/null 2>&1; then
  check "installed desktop entry validates" \
    desktop-file-validate /usr/share/applications/io.github.orbic40.orbic40.desktop
fi
if command -v appstreamcli >/dev/null 2>&1; then
  check "installed metainfo validates" appstreamcli validate --no-net \
    /usr/share/metainfo/io.github.orbic40.orbic40.metainfo.xml
fi
check "bash completion offers the commands" bash -c \
  'source /usr/share/bash-completion/completions/orbic40-cli
   COMP_WORDS=(orbic40-cli re); COMP_CWORD=1; _orbic40_cli
   printf "%s\n" "${COMPREPLY[@]}" | grep -qx read'

# A read against a simulated mouse, from the installed program alone.
(
  cd "$work" || exit 1
  /usr/bin/orbic40-cli sim new mouse.json >/dev/null &&
    /usr/bin/orbic40-cli --simulated mouse.json read out.bin >read.log 2>&1 &&
    test "$(stat -c %s out.bin)" = 2048
) && pass "read a simulated mouse" || fail "read a simulated mouse" "$(cat "$work/read.log" 2>&1)"

echo "==> Removing"
check "dpkg -r" dpkg -r orbic40
check "programs gone after dpkg -r" test ! -e /usr/bin/orbic40-cli -a ! -e /usr/bin/orbic40
check "dpkg -P" dpkg -P orbic40
check "package unknown after dpkg -P" bash -c '! dpkg -s orbic40 >/dev/null 2>&1'

# Every file the package listed is gone; a listed folder may stay only when it
# is not empty or another package owns it.
left=()
while IFS= read -r path; do
  [ -z "$path" ] || [ "$path" = "/." ] && continue
  if [ -d "$path" ] && [ ! -L "$path" ]; then
    if [ -z "$(ls -A "$path")" ] && ! dpkg -S "$path" >/dev/null 2>&1; then
      left+=("$path")
    fi
  elif [ -e "$path" ] || [ -L "$path" ]; then
    left+=("$path")
  fi
done <"$work/files.txt"
if [ ${#left[@]} -eq 0 ]; then
  pass "nothing left behind ($(wc -l <"$work/files.txt") paths listed)"
else
  fail "nothing left behind" "${left[*]}"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
