#!/usr/bin/env bash
# Installs the cross compilers and Wine if missing, cross-builds tavo.dll for
# 32-bit and 64-bit Windows with their test programs, builds the installers
# tavo-<version>.msi and tavo-<version>-user.msi, and runs the Windows tests
# under Wine:
#   DIR/win32/   the 32-bit DLL and its tests (32-bit programs)
#   DIR/win64/   the 64-bit DLL and its tests, and the installer tests
#   DIR/native/  the native command, which writes the host workbook
#   DIR/tavo-<version>.msi       per machine (both DLLs, the guide, the host workbook)
#   DIR/tavo-<version>-user.msi  the same per user, no administrator rights
# DIR is build-win/ unless given as $1.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build-win}"
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
TAVO_WITH_PDF=0 TAVO_WITH_WINDOWS=1 scripts/setup.sh
started=$SECONDS
phase() { echo "-- $1: $((SECONDS - started)) s so far"; }

# The macro-enabled host workbook the MSI carries, written by the command.
cmake -S . -B "$dir/native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DTAVO_BENCHMARKS=OFF -DTAVO_OFFICE=OFF >/dev/null
cmake --build "$dir/native" -j"$(nproc)" --target tavo_cli
workbook="$dir/host-workbook/校历.xlsm"
rm -rf "$dir/host-workbook" && mkdir -p "$dir/host-workbook"
"$dir/native/tavo" init --macro "$workbook"
phase "the host workbook"

# One native reference for both bitnesses.
common=(-G Ninja -DTAVO_NATIVE_REFERENCE_DIR="$dir")
cmake -S com -B "$dir/win32" "${common[@]}" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-i686.cmake" >/dev/null
cmake -S com -B "$dir/win64" "${common[@]}" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
  -DTAVO_WIN32_BUILD="$dir/win32" -DTAVO_MSI_DIR="$dir" -DTAVO_HOST_WORKBOOK="$workbook" >/dev/null
# The 64-bit build packs the 32-bit DLL, so the 32-bit build goes first.
cmake --build "$dir/win32" -j"$(nproc)"
cmake --build "$dir/win64" -j"$(nproc)"
phase "both builds and the MSI"

# Each build's tests share its Wine prefix and run one after another
# (resource lock); the installer tests use a prefix of their own. A test
# that skipped says why in its output, which ctest keeps in its log.
skip_reasons() { grep -h '^SKIP:' "$1/Testing/Temporary/LastTest.log" 2>/dev/null | sort -u; }
status=0
(cd "$dir/win32" && ctest --output-on-failure) || status=1
skip_reasons "$dir/win32"
phase "32-bit tests"
(cd "$dir/win64" && ctest --output-on-failure) || status=1
skip_reasons "$dir/win64"
phase "64-bit and installer tests"
ls -l "$dir"/win32/tavo.dll "$dir"/win64/tavo.dll "$dir"/tavo-*.msi
exit $status
