#!/bin/bash
# Installs what building and testing need, from Debian's packages only.
set -euo pipefail
need=()
for pkg in cmake ninja-build g++ googletest mingw-w64 wine wine32:i386 wine64 fonts-wine python3 xvfb xdotool imagemagick x11-utils; do
    dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
[ ${#need[@]} -eq 0 ] && exit 0
echo "installing: ${need[*]}"
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -q
DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${need[@]}" >/dev/null
