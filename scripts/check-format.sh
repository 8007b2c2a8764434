#!/usr/bin/env bash
# Fails when any of our C++ sources is not formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t sources < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
  'bench/*.cpp' 'fuzz/*.cpp' 'fuzz/*.h' 'tools/*.cpp' 'tools/*.h')
clang-format --dry-run -Werror "${sources[@]}"
echo "==> ${#sources[@]} source files are formatted."
