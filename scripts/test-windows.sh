#!/bin/sh
# Cross-builds the unit tests for Windows and runs them under Wine with ctest, headless (the
# offscreen platform, inside Xvfb for Wine's own windows). Needs Qt for Windows, built once by
# scripts/build-windows.sh (or named by VARDEKO_QT_WINDOWS). Tests that only mean something
# on Linux are not built here; the Windows layer has tests of its own.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh --windows-test
. scripts/windows-qt.sh
if ! qt_ready; then
    echo "No Qt for Windows in $qt: run scripts/build-windows.sh once first." >&2
    exit 1
fi

# A Wine prefix of our own, made once.
export WINEPREFIX="${WINEPREFIX:-$cache/wine}"
export WINEDEBUG=-all
# The wineserver of this first start, which has no display, is let end first: the tests then
# start their own inside xvfb-run, with Wine's desktop on that display.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i
    wineserver -w
fi

launcher=""
command -v ccache >/dev/null && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
# shellcheck disable=SC2086
"$qt/bin/qt-cmake" --no-warn-unused-cli -S . -B build-windows-tests -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/packaging/windows/mingw-w64-x86_64.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-run.sh;$qt" $launcher >/dev/null
cmake --build build-windows-tests -j"$(nproc)"

# The offscreen platform of Qt on Windows reads its fonts from one folder: the ones the Linux
# suite draws with (Chinese glyphs, and Liberation Sans for Arial).
fonts="$root/build-windows-tests/fonts"
mkdir -p "$fonts"
ln -sf /usr/share/fonts/truetype/wqy/wqy-microhei.ttc /usr/share/fonts/truetype/liberation/LiberationSans-*.ttf "$fonts"/
export QT_QPA_FONTDIR="$fonts"

echo "== tests of the Windows build, under Wine"
xvfb-run -a ctest --test-dir build-windows-tests --output-on-failure
