#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test:
#   1. the normal build's tests (unit tests, the command end to end, one PDF,
#      the Debian package unpacked), then that package installed for real with
#      apt-get, used from PATH and removed again;
#   2. the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer;
#   3. the .xlsx reader under libFuzzer for a bounded time (TAVO_FUZZ_SECONDS, default 60; 0 skips);
#   4. tavo.dll cross-built with mingw-w64 and its tests under Wine (TAVO_SKIP_WINDOWS=1 skips).
set -euo pipefail
cd "$(dirname "$0")/.."
windows=1
[[ "${TAVO_SKIP_WINDOWS:-0}" == 1 ]] && windows=0
TAVO_WITH_WINDOWS=$windows scripts/setup.sh

echo "== normal build"
scripts/build.sh build
(cd build && ctest --output-on-failure -j"$(nproc)")

echo "== the Debian package, installed and removed"
scripts/package.sh >build/package.log || { cat build/package.log; exit 1; }
tests/package/install_test.sh "$(sed -n 's/^The package: //p' build/package.log)"

echo "== sanitizer build (address, undefined)"
scripts/build.sh build-asan -DTAVO_SANITIZE=ON -DTAVO_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j"$(nproc)")

seconds="${TAVO_FUZZ_SECONDS:-60}"
if [[ "$seconds" != 0 ]]; then
  echo "== fuzzing the .xlsx reader for ${seconds} s"
  scripts/fuzz.sh "$seconds"
fi

if ((windows)); then
  echo "== tavo.dll under Wine"
  scripts/test-windows.sh
fi
