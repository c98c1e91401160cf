#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the sample need.
# Safe to run again; installs only what is missing.
#   TAVO_WITH_PDF=0      skips LibreOffice and the CJK fonts (PDF output, the
#                        LibreOffice extension and the tests that open files in it)
#   TAVO_WITH_WINDOWS=1  adds the mingw-w64 cross compilers, Wine (64- and
#                        32-bit), wixl (tavo.dll and its installers) and msitools
#                        (the installer tests read the packages' tables)
#   TAVO_WITH_ARM64=1    adds the arm64 cross toolchain, the arm64 libraries the
#                        command links (multiarch) and qemu-user-static, for
#                        scripts/package.sh --arch arm64 and its test
#   TAVO_SETUP_RECORD_DIR  where the record of a package the archive refused is
#                        written (default build-win/, the Windows tests' folder)
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
  # libreoffice-l10n-zh-cn and the zh_CN.UTF-8 locale: the LibreOffice tests
  # run once more in the Chinese UI, as most users have it.
  packages+=(libreoffice-calc libreoffice-writer libreoffice-dev python3-uno
             fonts-noto-cjk fonts-crosextra-carlito fontconfig poppler-utils
             libreoffice-l10n-zh-cn locales)
fi
# Wine is installed with its recommended packages, as it was tested; widl
# (wine64-tools) is only a recommendation of libwine-dev, so it is named.
# wine32:i386 runs the 32-bit DLL's tests; it needs the i386 architecture.
arm64_packages=()
if [[ "${TAVO_WITH_ARM64:-0}" == 1 ]]; then
  arm64_packages=(crossbuild-essential-arm64 qemu-user-static binfmt-support
                  libfmt-dev:arm64 libzip-dev:arm64 libpugixml-dev:arm64)
fi
windows_packages=()
if [[ "${TAVO_WITH_WINDOWS:-0}" == 1 ]]; then
  windows_packages=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
                    libwine-dev wine64-tools wine wine64 wine32:i386 wixl msitools)
fi

sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
cd "$(dirname "$0")/.."
record_dir=${TAVO_SETUP_RECORD_DIR:-build-win}
# Written when the archive would not deliver wine32:i386, removed when it did:
# the 32-bit tests read it to tell "the archive refused it" (a skip) from
# "setup never tried" (a failure with the install hint).
wine32_record="$record_dir/setup-wine32-refused.txt"
update_errors=$(mktemp)
trap 'rm -f "$update_errors"' EXIT

need_update=""
add_architecture() {
  if ! dpkg --print-foreign-architectures | grep -qx "$1"; then
    $sudo dpkg --add-architecture "$1"
    need_update=1
  fi
}
if ((${#windows_packages[@]})); then add_architecture i386; fi
if ((${#arm64_packages[@]})); then add_architecture arm64; fi

missing_of() {
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep "ok installed" >/dev/null || echo "$p"
  done
}
apt_install() {  # apt-get install's options and packages; its output is kept in $apt_log
  local status=0
  apt_log=$(DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$@" 2>&1) || status=$?
  printf '%s\n' "$apt_log" | grep -v '^debconf: delaying' | tail -n 40 >&2 || true
  return $status
}
# FILE WHAT PACKAGES WHEN: why the archive did not deliver WHAT, in apt's
# words (the last update's and install's first errors), for the tests to read.
record_refusal() {
  mkdir -p "$(dirname "$1")"
  {
    echo "The package archive did not deliver $2 when scripts/setup.sh asked for it ($(date -u '+%Y-%m-%d %H:%M UTC'), $4)."
    if [[ -s $update_errors ]]; then
      echo "apt-get update: $(grep -m1 '^E:' "$update_errors" || head -n1 "$update_errors")"
    fi
    echo "apt-get install $3: $(printf '%s\n' "$apt_log" | grep -m1 '^E:')"
    printf '%s\n' "$apt_log" | grep -m3 'Depends:' | sed 's/^ */  /' || true
  } >"$1"
}
# A mirror caught mid-sync fails one index now and then; try again, and go on
# with the indexes that did arrive rather than stop the whole setup.
update_index() {
  local attempt
  for attempt in 1 2 3; do
    if $sudo apt-get update -qq 2>"$update_errors"; then
      : >"$update_errors"
      return 0
    fi
    cat "$update_errors" >&2
    echo "setup.sh: apt-get update failed (attempt $attempt of 3)" >&2
    sleep $((attempt * 10))
  done
  return 1
}

missing=($(missing_of "${packages[@]}"))
missing_arm64=($(missing_of "${arm64_packages[@]}"))
missing_windows=($(missing_of "${windows_packages[@]}"))
if ((${#missing[@]} + ${#missing_arm64[@]} + ${#missing_windows[@]})) || [[ -n $need_update ]]; then
  update_index || true
  if ((${#missing[@]})); then
    apt_install --no-install-recommends "${missing[@]}"
  fi
fi

if [[ "${TAVO_WITH_PDF:-1}" == 1 ]] && ! locale -a 2>/dev/null | grep -qix 'zh_CN\.utf-\?8'; then
  grep -qx 'zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'zh_CN.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi

if ((${#missing_arm64[@]})); then
  # The arm64 libraries must be at the versions of the amd64 ones (multiarch).
  # An i386 index that fails to arrive takes the rest of its release's
  # indexes with it (bookworm-security's arm64 one among them), and then the
  # versions do not match: fetch again the indexes of these two alone.
  arm64_only=(-o APT::Architectures::=amd64 -o APT::Architectures::=arm64)
  if ! apt_install "${missing_arm64[@]}"; then
    echo "setup.sh: the arm64 packages could not be installed; fetching the amd64 and arm64 indexes alone" >&2
    $sudo apt-get update -qq "${arm64_only[@]}" 2>"$update_errors" || cat "$update_errors" >&2
    if ! apt_install "${arm64_only[@]}" "${missing_arm64[@]}"; then
      record_refusal build-arm64/setup-arm64-refused.txt "the arm64 packages" "${missing_arm64[*]}" \
        "again with the amd64 and arm64 indexes alone"
      echo "setup.sh: installed without the arm64 packages; the arm64 test skips with the reason in build-arm64/setup-arm64-refused.txt" >&2
    fi
  fi
fi
if ((${#arm64_packages[@]})) && [[ -z $(missing_of "${arm64_packages[@]}") ]]; then
  rm -f build-arm64/setup-arm64-refused.txt
fi

if ((${#missing_windows[@]})); then
  # Wine's 32-bit half needs the i386 indexes at the versions of the 64-bit
  # ones; while a mirror is mid-sync they may not arrive, and apt answers with
  # unmet dependencies. Pause, refresh the indexes and try once more; then
  # install the rest and record why wine32:i386 is missing.
  if ! apt_install "${missing_windows[@]}"; then
    echo "setup.sh: wine32:i386 could not be installed; trying again in 30 s" >&2
    sleep 30
    update_index || true
    if ! apt_install "${missing_windows[@]}"; then
      without_32=()
      for p in "${missing_windows[@]}"; do [[ $p == wine32:i386 ]] || without_32+=("$p"); done
      if ((${#without_32[@]})); then
        apt_install "${without_32[@]}"
      fi
      record_refusal "$wine32_record" wine32:i386 wine32:i386 "twice, 30 s apart"
      echo "setup.sh: installed without wine32:i386; the 32-bit tests skip with the reason in $wine32_record:" >&2
      cat "$wine32_record" >&2
    fi
  fi
fi
if ((${#windows_packages[@]})) && dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep "ok installed" >/dev/null; then
  rm -f "$wine32_record"
fi
