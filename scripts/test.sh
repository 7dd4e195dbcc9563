#!/usr/bin/env bash
# Builds the program and runs the whole test suite; exits non-zero on any failure.
#   scripts/test.sh             debug build in build/
#   scripts/test.sh --sanitize  AddressSanitizer + UndefinedBehaviorSanitizer build in build-sanitize/
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh"

build_dir="$root/build"
options=(-DVANTA_WERROR=ON)
if [ "${1:-}" = "--sanitize" ]; then
    build_dir="$root/build-sanitize"
    options+=(-DVANTA_SANITIZE=ON)
    export ASAN_OPTIONS=detect_leaks=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

"$root/scripts/build.sh" "$build_dir" "${options[@]}"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
