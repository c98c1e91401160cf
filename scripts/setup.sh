#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the sample need.
# Safe to run again; installs only what is missing.
#   TAVO_WITH_PDF=0      skips LibreOffice and the CJK fonts (PDF output, the
#                        LibreOffice extension and the tests that open files in it)
#   TAVO_WITH_WINDOWS=1  adds the mingw-w64 cross compilers, Wine (64- and
#                        32-bit), wixl (tavo.dll and its installers) and msitools
#                        (the installer tests read the packages' tables)
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev libfmt-dev libzip-dev libpugixml-dev zip unzip
  python3 python3-openpyxl python3-olefile python3-icalendar jing
  clang libclang-rt-14-dev
  lintian man-db
)
if [[ "${TAVO_WITH_PDF:-1}" == 1 ]]; then
  # libreoffice-calc (not -nogui): the extension's dialog needs the toolkit.
  # libreoffice-dev is the SDK the LibreOffice component builds with.
  # libreoffice-writer converts the help document to help.doc at build
  # time; poppler-utils reads it back (as PDF) in its test.
  packages+=(libreoffice-calc libreoffice-writer libreoffice-dev python3-uno
             fonts-noto-cjk fonts-crosextra-carlito fontconfig poppler-utils)
fi
# Wine is installed with its recommended packages, as it was tested; widl
# (wine64-tools) is only a recommendation of libwine-dev, so it is named.
# wine32:i386 runs the 32-bit DLL's tests; it needs the i386 architecture.
windows_packages=()
if [[ "${TAVO_WITH_WINDOWS:-0}" == 1 ]]; then
  windows_packages=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
                    libwine-dev wine64-tools wine wine64 wine32:i386 wixl msitools)
fi

sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
if ((${#windows_packages[@]})) && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
  need_update=1
fi

missing_of() {
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || echo "$p"
  done
}
missing=($(missing_of "${packages[@]}"))
missing_windows=($(missing_of "${windows_packages[@]}"))
if ((${#missing[@]} + ${#missing_windows[@]})) || [[ -n "${need_update:-}" ]]; then
  # A mirror caught mid-sync fails one index now and then; try again, and go
  # on with the indexes that did arrive rather than stop the whole setup.
  for attempt in 1 2 3; do
    $sudo apt-get update -qq && break
    echo "setup.sh: apt-get update failed (attempt $attempt of 3)" >&2
    sleep $((attempt * 10))
  done
  if ((${#missing[@]})); then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
  if ((${#missing_windows[@]})); then
    if ! DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing_windows[@]}"; then
      # Wine's 32-bit half needs the i386 index at the same version as the
      # 64-bit one; when that index did not arrive, install the rest, and the
      # 32-bit tests say what is missing (or skip where the kernel runs no i386).
      without_32=()
      for p in "${missing_windows[@]}"; do [[ $p == wine32:i386 ]] || without_32+=("$p"); done
      echo "setup.sh: installing without wine32:i386; the 32-bit tests will report it" >&2
      DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${without_32[@]}"
    fi
  fi
fi
