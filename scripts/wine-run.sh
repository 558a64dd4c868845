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
# Wine hides the QT_ variables of Linux from Windows programs (they name Linux plugins and
# paths) and hands over WINEQT_ ones instead: the platform the test asks for is meant for the
# Windows program, so it goes over under that name. Without a console window, Qt on Windows
# sends its messages and the test logs to the debugger; they are forced to standard output
# and error here, where ctest and the terminal read them.
if [ -n "${QT_QPA_PLATFORM:-}" ]; then export WINEQT_QPA_PLATFORM="$QT_QPA_PLATFORM"; fi
if [ -n "${QT_QPA_FONTDIR:-}" ]; then WINEQT_QPA_FONTDIR=$(windows_path "$QT_QPA_FONTDIR"); export WINEQT_QPA_FONTDIR; fi
export WINEQT_FORCE_STDERR_LOGGING=1
exec wine "$@"
