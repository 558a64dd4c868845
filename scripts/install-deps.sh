#!/bin/sh
# Installs the Debian packages that building, running and testing Vardeko need, when any
# of them is missing. Runs apt-get directly as root and through sudo otherwise.
set -eu

packages="cmake ninja-build g++ qt6-base-dev qt6-translations-l10n libgl-dev fonts-wqy-microhei xvfb xauth"
[ "${1:-}" = "--test" ] && packages="$packages clang libclang-rt-14-dev dpkg-dev desktop-file-utils appstream libxcb1-dev poppler-utils"
# The Windows build (scripts/build-windows.sh): the cross compilers, the host Qt tools, the
# source package tools, the icon, the zip and the installer; its tests run under Wine.
windows="g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools qt6-base-dev-tools dpkg-dev icoutils zip nsis"
[ "${1:-}" = "--windows" ] && packages="$packages $windows"
# Wine draws Arial, the font of the number boxes, with Liberation Sans.
[ "${1:-}" = "--windows-test" ] && packages="$packages $windows wine wine64 fonts-liberation"

missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
echo "Installing:$missing"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
