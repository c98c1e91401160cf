#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package
# build/tavo_<version>_<arch>.deb: the command, its manual page and bash
# completion, the LibreOffice extension, the documents and the fontconfig
# alias. Install it with apt-get install ./build/tavo_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build -DCMAKE_INSTALL_PREFIX=/usr
(cd build && cpack -G DEB) | tee build/cpack.log
deb=$(sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' build/cpack.log)
[[ -f $deb ]] || { echo "no package written" >&2; exit 1; }
echo "The package: $deb"
