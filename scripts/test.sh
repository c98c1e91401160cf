#!/usr/bin/env bash
# Installs what is missing, builds, and runs every suite, each whatever the
# others gave, then prints one summary (suite, passed, failed, skipped and
# why); exits non-zero when anything failed:
#   1. the normal build's tests (unit tests, the command end to end, one PDF,
#      the Debian package unpacked);
#   2. that package installed for real with apt-get, used from PATH and removed;
#   3. the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer;
#   4. the .xlsx reader under libFuzzer for a bounded time (TAVO_FUZZ_SECONDS, default 60; 0 skips);
#   5. the arm64 package cross-built, its command run under qemu against this
#      machine's (TAVO_SKIP_ARM64=1 skips);
#   6. tavo.dll cross-built with mingw-w64 and its tests under Wine (TAVO_SKIP_WINDOWS=1 skips).
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/suites.sh
windows=1
[[ "${TAVO_SKIP_WINDOWS:-0}" == 1 ]] && windows=0
arm64=1
[[ "${TAVO_SKIP_ARM64:-0}" == 1 ]] && arm64=0
if ! TAVO_WITH_WINDOWS=$windows TAVO_WITH_ARM64=$arm64 scripts/setup.sh; then
  echo "test.sh: scripts/setup.sh failed (above), so nothing can be built or tested" >&2
  exit 1
fi
# The suites below set up again only what they add.
export TAVO_SETUP_DONE=1
suites_begin

if scripts/build.sh build; then
  ctest_suite "normal build" build -j"$(nproc)"
else
  suite_failed "normal build" "the build failed (above)"
fi

installed_package() {
  scripts/package.sh >build/package.log 2>&1 || { cat build/package.log; return 1; }
  tests/package/install_test.sh "$(sed -n 's/^The package: //p' build/package.log)"
}
suite "Debian package, installed and removed" -- installed_package

if scripts/build.sh build-asan -DTAVO_SANITIZE=ON -DTAVO_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug; then
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest_suite "sanitizer build (address, undefined)" build-asan -j"$(nproc)"
else
  suite_failed "sanitizer build (address, undefined)" "the build failed (above)"
fi

seconds="${TAVO_FUZZ_SECONDS:-60}"
if [[ "$seconds" != 0 ]]; then
  suite "fuzzing the .xlsx reader for ${seconds} s" -- scripts/fuzz.sh "$seconds"
fi

if ((arm64)); then
  arm64_package() {
    mkdir -p build-arm64
    scripts/package.sh --arch arm64 >build-arm64/package.log 2>&1 || { cat build-arm64/package.log; return 1; }
    tests/package/arm64_test.sh "$(sed -n 's/^The package: //p' build-arm64/package.log)" build/tavo
  }
  suite "arm64 package, its command under qemu" -- arm64_package
fi

if ((windows)); then
  scripts/test-windows.sh || true  # its suites are in the summary
fi

suites_end
