#!/bin/sh
# Installs every Debian package that building and testing Vexilo needs.
# Does nothing when they are all present already. Run as root (or via sudo).
set -eu

packages="
build-essential
cmake
pkg-config
libgsl-dev
libboost-dev
libgtest-dev
libgmock-dev
libbenchmark-dev
libgtk-3-dev
libdw-dev
libpng-dev
xvfb
xauth
xdotool
imagemagick
xclip
fonts-dejavu-core
"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing="$missing $p"
    fi
done

if [ -z "$missing" ]; then
    echo "setup: all packages present"
    exit 0
fi

echo "setup: installing$missing"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
