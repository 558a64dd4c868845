# Sourced by the Windows scripts: where Qt for Windows lives and whether it is complete.
# VARDEKO_QT_WINDOWS=<prefix> names an existing install; otherwise it is the cache folder of
# the Qt version the Linux build uses, ${XDG_CACHE_HOME:-~/.cache}/vardeko/qt-<version>-windows-x64.
cache="${XDG_CACHE_HOME:-$HOME/.cache}/vardeko"
qt_package_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools 2>/dev/null ||
    dpkg-query -W -f='${Version}' libqt6core6)
qt_version=${qt_package_version%%[+~-]*}
qt="${VARDEKO_QT_WINDOWS:-$cache/qt-$qt_version-windows-x64}"

# A complete install has its qt-cmake and its CMake package; a cache folder also has the
# stamp written after its install finished, so an interrupted build is never taken for one.
qt_ready() {
    [ -x "$qt/bin/qt-cmake" ] && [ -f "$qt/lib/cmake/Qt6/Qt6Config.cmake" ] &&
        { [ -n "${VARDEKO_QT_WINDOWS:-}" ] || [ -f "$qt/vardeko-qt.stamp" ]; }
}
