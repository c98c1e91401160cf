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
# DIR is build-win/ unless given as $1. Both test suites run whatever the
# other gave; the summary at the end says what passed, failed and skipped,
# and why (a kernel that runs no i386 program; an archive that refused
# wine32:i386 when setup asked for it, recorded in DIR/setup-wine32-refused.txt).
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/suites.sh
dir="${1:-build-win}"
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
if [[ -z ${TAVO_SETUP_DONE:-} ]]; then
  TAVO_WITH_PDF=0 TAVO_WITH_WINDOWS=1 TAVO_SETUP_RECORD_DIR="$dir" scripts/setup.sh || exit 1
fi
suites_begin
started=$SECONDS
phase() { echo "-- $1: $((SECONDS - started)) s so far"; }

builds() {
  # The macro-enabled host workbook the MSI carries, written by the command.
  cmake -S . -B "$dir/native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DTAVO_BENCHMARKS=OFF -DTAVO_OFFICE=OFF >/dev/null || return 1
  cmake --build "$dir/native" -j"$(nproc)" --target tavo_cli || return 1
  workbook="$dir/host-workbook/校历.xlsm"
  rm -rf "$dir/host-workbook" && mkdir -p "$dir/host-workbook"
  "$dir/native/tavo" init --macro "$workbook" || return 1
  phase "the host workbook"

  # One native reference for both bitnesses.
  local common=(-G Ninja -DTAVO_NATIVE_REFERENCE_DIR="$dir" -DTAVO_SETUP_RECORD_DIR="$dir")
  cmake -S com -B "$dir/win32" "${common[@]}" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-i686.cmake" >/dev/null || return 1
  cmake -S com -B "$dir/win64" "${common[@]}" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
    -DTAVO_WIN32_BUILD="$dir/win32" -DTAVO_MSI_DIR="$dir" -DTAVO_HOST_WORKBOOK="$workbook" >/dev/null || return 1
  # The 64-bit build packs the 32-bit DLL, so the 32-bit build goes first.
  cmake --build "$dir/win32" -j"$(nproc)" || return 1
  cmake --build "$dir/win64" -j"$(nproc)" || return 1
  phase "both builds and the MSI"
}

# Each build's tests share its Wine prefix and run one after another
# (resource lock); the installer tests use a prefix of their own.
if builds; then
  ctest_suite "Windows: 32-bit tavo.dll under Wine" "$dir/win32"
  phase "32-bit tests"
  ctest_suite "Windows: 64-bit tavo.dll and the installers" "$dir/win64"
  phase "64-bit and installer tests"
  ls -l "$dir"/win32/tavo.dll "$dir"/win64/tavo.dll "$dir"/tavo-*.msi
else
  suite_failed "Windows: 32-bit tavo.dll under Wine" "the cross builds failed (above)"
  suite_failed "Windows: 64-bit tavo.dll and the installers" "the cross builds failed (above)"
fi
suites_end
