#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the sample need.
# Safe to run again; installs only what is missing.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev libfmt-dev libzip-dev libpugixml-dev zip unzip
  python3 python3-openpyxl
  clang libclang-rt-14-dev
)
if [[ "${TAVO_WITH_PDF:-1}" == 1 ]]; then
  packages+=(libreoffice-calc-nogui fonts-noto-cjk fonts-crosextra-carlito fontconfig)
fi
if [[ "${TAVO_WITH_WINDOWS:-0}" == 1 ]]; then
  packages+=(g++-mingw-w64-x86-64-posix mingw-w64-tools libwine-dev wine wine64)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [[ $(id -u) -ne 0 ]] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
