#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package
# build/tavo_<version>_<arch>.deb: the command, its manual page and bash
# completion, the LibreOffice extension, the documents and the fontconfig
# alias. Install it with apt-get install ./build/tavo_<version>_<arch>.deb
#   scripts/package.sh [--arch arm64]
# --arch arm64 cross-builds the command with Debian's cross toolchain and the
# arm64 libraries (multiarch) into build-arm64/ and writes
# build-arm64/tavo_<version>_arm64.deb, for the Debian-based arm64 desktops
# (统信UOS, 麒麟); it holds no LibreOffice extension, whose component would
# need LibreOffice's arm64 SDK. Exits 77 when the package archive refused the
# arm64 packages (the reason is in build-arm64/setup-arm64-refused.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
arch=""
while (($#)); do
  case $1 in
    --arch) arch=${2:-}; shift 2 || { echo "package.sh: --arch needs a value (arm64)" >&2; exit 64; } ;;
    --arch=*) arch=${1#--arch=}; shift ;;
    *) echo "package.sh: unknown argument $1 (usage: scripts/package.sh [--arch arm64])" >&2; exit 64 ;;
  esac
done
native=$(dpkg --print-architecture)
[[ -z $arch || $arch == "$native" ]] && arch=""

if [[ -z $arch ]]; then
  [[ -n ${TAVO_SETUP_DONE:-} ]] || scripts/setup.sh
  dir=build
  scripts/build.sh "$dir" -DCMAKE_INSTALL_PREFIX=/usr
  (cd "$dir" && cpack -G DEB) | tee "$dir/cpack.log"
else
  [[ $arch == arm64 ]] || { echo "package.sh: no cross build for '$arch'; arm64 is the one there is" >&2; exit 64; }
  [[ -n ${TAVO_SETUP_DONE:-} ]] || TAVO_WITH_PDF=0 TAVO_WITH_ARM64=1 scripts/setup.sh
  dir=build-arm64
  if [[ -s $dir/setup-arm64-refused.txt ]]; then
    echo "SKIP: the package archive refused the arm64 packages when scripts/setup.sh asked for them:" \
         "$(sed -n 's/^apt-get [^:]*: //p' "$dir/setup-arm64-refused.txt" | cut -c1-150 | paste -sd';' -)"
    exit 77
  fi
  scripts/build.sh "$dir" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/aarch64-linux-gnu.cmake" -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DTAVO_BENCHMARKS=OFF -DTAVO_OFFICE=OFF
  # dpkg-shlibdeps, run by CPack, reads the target's libraries by these.
  (cd "$dir" && eval "$(dpkg-architecture -a"$arch" -s 2>/dev/null)" && cpack -G DEB) | tee "$dir/cpack.log"
fi
deb=$(sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' "$dir/cpack.log")
[[ -f $deb ]] || { echo "no package written" >&2; exit 1; }
echo "The package: $deb"
