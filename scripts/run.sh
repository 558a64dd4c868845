#!/bin/sh
# Installs what is missing, builds Vardeko and starts it.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target vardeko
exec build/src/app/vardeko
