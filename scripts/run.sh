#!/usr/bin/env bash
# Installs what is missing, builds, and makes the sample: a school calendar
# workbook out/校历.xlsx and its printout out/校历.pdf, from the built-in host
# workbook.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build
mkdir -p out
./build/tavo school -o out/校历.xlsx --pdf out/校历.pdf
echo "The sample school calendar: $(pwd)/out/校历.xlsx and $(pwd)/out/校历.pdf"
