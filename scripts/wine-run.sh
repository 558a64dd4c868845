#!/bin/sh
# Runs a cross-built Windows program under Wine: wine-run.sh <Qt for Windows prefix> <program> [args].
# The emulator of the Windows test build (CMAKE_CROSSCOMPILING_EMULATOR): the Qt DLLs and the
# MinGW runtime are found on the program's PATH, also by the processes it starts.
set -eu
qt=$1
shift
gcc_runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
WINEPATH="$(windows_path "$qt/bin");$(windows_path "$gcc_runtime");$(windows_path /usr/x86_64-w64-mingw32/lib)"
export WINEPATH
export WINEPREFIX="${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/vardeko/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
exec wine "$@"
