#!/usr/bin/env bash
# Configures (once) and builds a tree incrementally: build.sh <build-dir> [cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$1
shift
if [ ! -f "$build_dir/build.ninja" ]; then
    cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug "$@"
else
    cmake "$build_dir" "$@" >/dev/null
fi
cmake --build "$build_dir"
