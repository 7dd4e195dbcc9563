#!/usr/bin/env bash
# Builds (incrementally) and starts the VantaLnk3 application.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -DVANTA_WERROR=ON
exec "$root/build/bin/VantaLnk3" "$@"
