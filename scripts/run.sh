#!/usr/bin/env bash
# Builds (incrementally) and starts the VantaLnk3 application with live simulated instruments:
# vantasim serves the default scenario on a virtual line, the working folder maps the
# configured COM port to that line, and the application starts there. Demo mode stays available
# from the main window.
#   VANTA_WORK=<folder>  working folder (default build/run); settings changed there persist
#   VANTA_NO_SIM=1       start the application alone, without the simulator
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -DVANTA_WERROR=ON
bin="$root/build/bin"
work=${VANTA_WORK:-$root/build/run}

# The working folder starts as a copy of the delivered files; later runs keep the user's changes.
mkdir -p "$work"
for file in "$bin"/*.txt "$bin"/*.TXT "$bin"/*.bmp "$bin"/*.cfg "$bin"/*.val "$bin"/*.scn; do
    [ -e "$file" ] || continue
    [ -e "$work/$(basename "$file")" ] || cp "$file" "$work/"
done

# Logs go to the configured folder, or to Logs in the program folder when that one does not exist
# (the delivered settings name a Windows folder); the program makes it too, this is for the user.
mkdir -p "$work/Logs"

if [ "${VANTA_NO_SIM:-}" = 1 ] || [ ! -x "$bin/vantasim" ]; then
    [ -x "$bin/vantasim" ] || echo "run.sh: vantasim is not built; starting without instruments" >&2
    VANTA_HOME="$work" exec "$bin/VantaLnk3" "$@"
fi

port=$(head -n 1 "$work/VantaLnk3.cfg" 2>/dev/null | tr -dc '0-9')
port=${port:-1}
line="$work/vantasim.tty"
rm -f "$line"

VANTA_HOME="$work" "$bin/vantasim" --link "$line" --scenario "$work/default.scn" &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; wait "$sim" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    [ -e "$line" ] && break
    kill -0 "$sim" 2>/dev/null || { echo "run.sh: vantasim did not start" >&2; exit 1; }
    sleep 0.1
done
[ -e "$line" ] || { echo "run.sh: vantasim's line did not appear" >&2; exit 1; }

# CommPorts.txt: five free header lines, then "port,device".
printf 'Serial port map written by scripts/run.sh\r\n\r\n\r\n\r\n\r\n%s,%s\r\n' \
    "$port" "$line" > "$work/CommPorts.txt"
status=0
VANTA_HOME="$work" "$bin/VantaLnk3" "$@" || status=$?
exit "$status"
