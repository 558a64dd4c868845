#!/bin/sh
# Cross-builds Vardeko for 64-bit Windows on Debian 12 from Debian's packages alone and
# writes dist/vardeko-<version>-windows-x64.zip (a portable folder) and
# dist/vardeko-<version>-setup.exe (an installer made with NSIS).
#
# Qt for Windows is built once from Debian's own qt6-base source package, the version of the
# Linux build, into ${XDG_CACHE_HOME:-~/.cache}/vardeko/qt-<version>-windows-x64 and reused;
# VARDEKO_QT_WINDOWS=<prefix> points the build at an existing one instead.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh --windows

. scripts/windows-qt.sh
toolchain="$root/packaging/windows/mingw-w64-x86_64.cmake"
jobs=$(nproc)

stamp() { date -u '+%Y-%m-%d %H:%M:%S UTC'; }

build_qt() {
    src="$cache/src"
    build="$cache/build-qt"
    aptsrc="$cache/aptsrc"
    echo "== Qt $qt_version for Windows is not in the cache: building it (about an hour on 2 cores)"
    # The deb-src line of the Debian archive this machine installs from, with a lists folder
    # of its own: the system's apt state stays as it is.
    . /etc/os-release
    site=$(apt-get indextargets --format '$(SITE) $(RELEASE)' 'Identifier: Packages' |
        awk -v suite="$VERSION_CODENAME" '$2 == suite { print $1; exit }')
    [ -n "$site" ] || site=http://deb.debian.org/debian
    mkdir -p "$aptsrc/lists/partial" "$src"
    echo "deb-src $site $VERSION_CODENAME main" >"$aptsrc/sources.list"
    aptopts="-o Dir::State::Lists=$aptsrc/lists -o Dir::Etc::SourceList=$aptsrc/sources.list -o Dir::Etc::SourceParts=/dev/null"
    # shellcheck disable=SC2086
    apt-get $aptopts update -qq
    rm -rf "$src/qtbase" "$build"
    # shellcheck disable=SC2086
    (cd "$src" && apt-get $aptopts source --download-only "qt6-base=$qt_package_version" &&
        dpkg-source -x qt6-base_*.dsc qtbase)
    mkdir -p "$build"
    # OpenGL stays on (dynamic OpenGL: nothing links opengl32 at build time); without it the
    # Windows platform plugin of Qt 6.4 does not compile. The +dfsg source lacks wintab and
    # sqlite, hence no tablet events and no SQL.
    echo "configure: $(stamp)" >"$cache/qt-configure.log"
    (cd "$build" && cmake -G Ninja ../src/qtbase -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$qt" \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
        -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF \
        -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF -DFEATURE_system_doubleconversion=OFF \
        -DFEATURE_zstd=OFF -DINPUT_pcre=qt -DINPUT_libpng=qt -DINPUT_libjpeg=qt \
        -DINPUT_harfbuzz=qt -DINPUT_freetype=qt) >>"$cache/qt-configure.log" 2>&1
    echo "build: $(stamp)" >"$cache/qt-build.log"
    (cd "$build" && nice -n 3 ninja -j"$jobs") >>"$cache/qt-build.log" 2>&1 ||
        { tail -20 "$cache/qt-build.log"; echo "Qt build failed: $cache/qt-build.log" >&2; exit 1; }
    echo "built: $(stamp)" >>"$cache/qt-build.log"
    (cd "$build" && ninja install) >"$cache/qt-install.log" 2>&1
    echo "qt-$qt_version from Debian qt6-base $qt_package_version, installed $(stamp)" >"$qt/vardeko-qt.stamp"
}

if ! qt_ready; then
    [ -z "${VARDEKO_QT_WINDOWS:-}" ] || { echo "VARDEKO_QT_WINDOWS=$qt holds no complete Qt install" >&2; exit 1; }
    build_qt
    qt_ready
fi
echo "== Qt for Windows: $qt"

# Vardeko itself, with the toolchain file of this repository chained by Qt's own.
launcher=""
command -v ccache >/dev/null && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
# shellcheck disable=SC2086
"$qt/bin/qt-cmake" --no-warn-unused-cli -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain" $launcher >/dev/null
cmake --build build-windows -j"$jobs"
version=$(cat build-windows/packaging/vardeko.version)

# The portable folder: the program, every DLL it needs by its imports (Qt, the MinGW
# runtime), the platform and style plugins, and any DLL the build put beside the program.
name="vardeko-$version-windows-x64"
stage="dist/$name"
rm -rf "$stage" "dist/$name.zip" "dist/vardeko-$version-setup.exe"
mkdir -p "$stage/platforms" "$stage/styles"
cp build-windows/src/app/vardeko.exe "$stage/"
find build-windows/src/app -maxdepth 1 -name '*.dll' -exec cp {} "$stage/" \;
cp "$qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"

gcc_runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
search="$qt/bin $gcc_runtime /usr/x86_64-w64-mingw32/lib"
imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p'; }
# Follows the imports until no file brings a new DLL; a name found nowhere in the search
# folders is part of Windows.
changed=1
while [ $changed -eq 1 ]; do
    changed=0
    for file in $(find "$stage" -name '*.exe' -o -name '*.dll'); do
        for dll in $(imports "$file"); do
            [ -n "$(find "$stage" -maxdepth 1 -iname "$dll")" ] && continue
            for dir in $search; do
                found=$(find "$dir" -maxdepth 1 -iname "$dll" | head -n 1)
                if [ -n "$found" ]; then
                    cp "$found" "$stage/"
                    changed=1
                    break
                fi
            done
        done
    done
done
find "$stage" \( -name '*.exe' -o -name '*.dll' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} \;
echo "== $stage:"
(cd "$stage" && find . -type f | sort | sed 's|^\./|   |')

(cd dist && rm -f "$name.zip" && zip -qr9X "$name.zip" "$name")

# The installer; its uninstaller removes exactly the files installed (the user's settings
# file and material list stay unless asked for).
uninstall_list="$root/build-windows/uninstall-files.nsh"
(cd "$stage" && find . -type f | sort | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|' &&
    find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|') >"$uninstall_list"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSOURCE_DIR="$root/$stage" \
    -DICON="$root/build-windows/src/app/vardeko.ico" -DUNINSTALL_LIST="$uninstall_list" \
    -DOUTFILE="$root/dist/vardeko-$version-setup.exe" packaging/windows/vardeko.nsi

echo "== written:"
ls -l "dist/$name.zip" "dist/vardeko-$version-setup.exe"
