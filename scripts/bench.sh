#!/usr/bin/env bash
# Builds the benchmarks in an optimised tree (build-bench/) and runs them all, or the ones named.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" libbenchmark-dev libmodbus-dev
build_dir="$root/build-bench"
if [ ! -f "$build_dir/build.ninja" ]; then
    cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTA_BENCH=ON \
        -DVANTA_TESTS=OFF
fi
cmake --build "$build_dir"
for program in "$build_dir"/bench/*_bench "$build_dir"/bin/*_bench; do
    [ -x "$program" ] || continue
    name=$(basename "$program")
    if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then continue; fi
    echo "== $name"
    "$program"
done
