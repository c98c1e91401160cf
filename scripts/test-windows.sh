#!/usr/bin/env bash
# Installs the cross compiler and Wine if missing, cross-builds tavo.dll and
# its test programs into build-win/ (or $1), and runs the Windows tests under
# Wine in a private prefix inside that folder.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build-win}"
TAVO_WITH_PDF=0 TAVO_WITH_WINDOWS=1 scripts/setup.sh
cmake -S com -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$dir" -j"$(nproc)"
# The tests share one Wine prefix and run one after another (resource lock).
(cd "$dir" && ctest --output-on-failure)
