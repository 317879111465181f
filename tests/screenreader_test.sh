#!/usr/bin/env bash
# Runs the program as a screen reader meets it: its own X server and accessibility bus, the
# real SDL player speaking to a file through the disk driver, and a small client on the bus that
# also closes the window as a window manager would.
# Usage: screenreader_test.sh PROGRAM
set -euo pipefail

program=$1
client=$(dirname "$(readlink -f "$0")")/screenreader_client.py
scratch=$(mktemp -d)
xvfb=
cleanup()
{
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
done

mkdir -m 700 "$scratch/runtime"
export DISPLAY=":$(cat "$scratch/display")" XDG_RUNTIME_DIR="$scratch/runtime"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$scratch/sound.raw"
export PROGRAM="$program" CLIENT="$client"

# Everything on the session bus ends with it: the accessibility bus, its registry, the program.
dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    launcher=$!
    "$PROGRAM" 2>/dev/null &
    program=$!
    status=0
    timeout 90 /usr/bin/python3 "$CLIENT" "$program" || status=$?
    { kill -KILL "$program"; kill "$launcher"; wait; } 2>/dev/null
    exit "$status"' 2> >(grep -v "^dbus-daemon" >&2) | { grep -v "^SpiRegistry" || true; }
