#!/usr/bin/env bash
# Runs the window-state tests of the program's test binary as a Wayland client of weston's
# headless compositor, which ends a client that does not take the maximised or full-screen size
# it was given. A compositor of the test's own, in a scratch runtime folder.
# Usage: wayland_test.sh PROGRAM-TESTS
set -euo pipefail

tests=$1
scratch=$(mktemp -d)
chmod 700 "$scratch"

cleanup()
{
    if [ -n "${compositor:-}" ]; then
        kill "$compositor" 2>/dev/null || true
        wait "$compositor" 2>/dev/null || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=$scratch WAYLAND_DISPLAY=lottovox-test
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --width=1366 --height=768 \
    --idle-time=0 >"$scratch/weston.log" 2>&1 &
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
fi
exit "$status"
