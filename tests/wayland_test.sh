#!/usr/bin/env bash
# Runs the window-state tests of the program's test binary as a Wayland client of weston's
# headless compositor, which ends a client that does not take the maximised or full-screen size
# it was given. Then, given the program, looks at its main window on the compositor's screen:
# weston draws no title bars, so the program draws its own, which must offer minimise and close
# and no maximise. A compositor of the test's own, in a scratch runtime folder.
# Usage: wayland_test.sh PROGRAM-TESTS [PROGRAM]
set -euo pipefail

tests=$1
program=${2:-}
checker=$(dirname "${BASH_SOURCE[0]}")/titlebar_check.py
scratch=$(mktemp -d)
chmod 700 "$scratch"

cleanup()
{
    if [ -n "${client:-}" ]; then
        kill -KILL "$client" 2>/dev/null || true
        wait "$client" 2>/dev/null || true
    fi
    if [ -n "${compositor:-}" ]; then
        kill "$compositor" 2>/dev/null || true
        wait "$compositor" 2>/dev/null || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

# Rendered in memory, with the debugging interface that lets a client take screenshots.
export XDG_RUNTIME_DIR=$scratch WAYLAND_DISPLAY=lottovox-test
weston --backend=headless-backend.so --use-pixman --debug --socket="$WAYLAND_DISPLAY" \
    --width=1366 --height=768 --idle-time=0 >"$scratch/weston.log" 2>&1 &
compositor=$!
for _ in $(seq 100); do
    [ -S "$scratch/$WAYLAND_DISPLAY" ] && break
    sleep 0.1
done
if [ ! -S "$scratch/$WAYLAND_DISPLAY" ]; then
    cat "$scratch/weston.log" >&2
    echo "FAIL: weston did not start" >&2
    exit 1
fi

status=0
QT_QPA_PLATFORM=wayland "$tests" --gtest_filter='WindowStates.*' || status=$?
if [ "$status" -ne 0 ]; then
    echo "FAIL: the program ended with status $status as a Wayland client" >&2
    exit "$status"
fi
[ -n "$program" ] || exit 0

# The main window's title bar: minimise's flat bar, then close's cross, and nothing else.
QT_QPA_PLATFORM=wayland "$program" >"$scratch/program.log" 2>&1 &
client=$!
for _ in $(seq 20); do
    sleep 0.5
    rm -f "$scratch"/wayland-screenshot*.png
    (cd "$scratch" && weston-screenshooter) >"$scratch/screenshooter.log" 2>&1 || continue
    python3 "$checker" "$scratch"/wayland-screenshot*.png flat tall 2>"$scratch/check.log" && exit 0
done
cat "$scratch/program.log" "$scratch/screenshooter.log" "$scratch/check.log" >&2
echo "FAIL: the main window's title bar is not the program's own with minimise and close only" >&2
exit 1
