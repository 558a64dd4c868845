#!/bin/sh
# Installs what is missing, builds everything twice and runs the whole test suite headless on
# both builds: `build` as released and `build-asan` under AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer. Fails when either run fails; both always run.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARDEKO_SANITIZE=ON
cmake --build build-asan

status=0
echo "== tests"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure || status=1
# The sanitizer options (leak suppressions for Qt's own allocations) are set per test by CMake.
echo "== tests under the sanitizers"
QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure || status=1
[ $status -eq 0 ] && echo "All tests passed, also under the sanitizers."
exit $status
