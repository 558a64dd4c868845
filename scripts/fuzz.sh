#!/bin/sh
# Builds the fuzz targets with clang and libFuzzer and runs each for the given time.
#   scripts/fuzz.sh [seconds per target, default 300] [target...]
# Targets: fuzz_expression fuzz_profilefile fuzz_materiallistfile (all when none is named). New inputs that reach
# new code are kept in build-fuzz/corpus/<target>; a crash leaves its input in
# build-fuzz/artifacts/ and makes the script fail. Runs at the lowest priority on one core.
set -eu
cd "$(dirname "$0")/.."
seconds="${1:-300}"
[ $# -gt 0 ] && shift
targets="${*:-fuzz_expression fuzz_profilefile fuzz_materiallistfile}"

build=build-fuzz
nice -n 19 cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVARDEKO_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
nice -n 19 cmake --build "$build" -j2 --target $targets

status=0
for target in $targets; do
    seeds="tests/fuzz/corpus_${target#fuzz_}"
    corpus="$build/corpus/$target"
    mkdir -p "$corpus" "$build/artifacts"
    echo "== $target: ${seconds}s"
    QT_QPA_PLATFORM=offscreen \
        nice -n 19 "$build/tests/fuzz/$target" "$corpus" "$seeds" \
        -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$target-" || status=1
done
exit $status
