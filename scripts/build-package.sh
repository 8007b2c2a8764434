#!/usr/bin/env bash
# Builds the Debian package of orbic40 (desktop program, command-line tool, udev
# rule, desktop files, man pages) into build/package and checks it with lintian.
#   bash scripts/build-package.sh      -> build/package/orbic40_<version>_<arch>.deb
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/package"

bash "$root/scripts/setup-debian.sh"

launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DORBIC40_BUILD_GUI=ON -DORBIC40_BUILD_TESTS=OFF -DORBIC40_BUILD_BENCH=OFF \
  -DORBIC40_BUILD_FUZZ=OFF "${launcher[@]}"
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/orbic40_*.deb
(cd "$build" && cpack -G DEB)

deb="$(ls "$build"/orbic40_*.deb)"
echo "==> Built $deb"
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"

# Errors fail the build; warnings are shown.
if command -v lintian >/dev/null 2>&1; then
  echo "==> lintian"
  lintian --fail-on error "$deb"
fi
