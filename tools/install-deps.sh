#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need, when any is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git
    qt6-base-dev libgl-dev              # Qt Widgets, PrintSupport
    libsqlite3-dev                      # native billing files
    mdbtools mdbtools-dev               # Access/Jet files (libmdb) and mdb-export for the tests
    libgtest-dev                        # tests
    clang libclang-rt-14-dev            # the fuzz target
    fonts-liberation2 fonts-dejavu-core # Arial- and MS Sans Serif-compatible faces
    poppler-utils                       # pdftotext / pdftoppm in report tests and screenshots
    xvfb xauth                          # screenshots of the running program
    xdotool imagemagick                 # clicks, typing and screen grabs in tools/screenshot-program.sh
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
