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
# Debian's own compiler and linker flags (-O2, stack protector, relro), as a
# Debian package is built; -O3 makes GCC 12 report false -Wrestrict faults.
cxxflags="-O2 -g"
ldflags=""
if command -v dpkg-buildflags >/dev/null 2>&1; then
  cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
  ldflags="$(dpkg-buildflags --get LDFLAGS)"
fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS_RELEASE="$cxxflags -DNDEBUG" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DORBIC40_BUILD_GUI=ON -DORBIC40_BUILD_TESTS=OFF -DORBIC40_BUILD_BENCH=OFF \
  -DORBIC40_BUILD_FUZZ=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON "${launcher[@]}"
# Only what the package holds (the kernel bench's gadget tool is not in it).
cmake --build "$build" -j"$(nproc)" --target orbic40 orbic40-cli
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
