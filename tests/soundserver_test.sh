#!/usr/bin/env bash
# Plays a call through a real PulseAudio daemon of its own (a null sink, in a scratch runtime
# folder) with SDL's pulseaudio driver, and has the player test record the sink's monitor. The
# sink does not rewind: what its monitor has already sent cannot be taken back, so a rewind for
# a stream that joins would show in the recording as a few milliseconds lost.
# The daemon is stopped at the end whatever happens, and cannot outlive a minute in any case.
# Then the fault tests start, kill and restart daemons of their own, which die with them.
# Usage: soundserver_test.sh PLAYER-TEST-BINARY
set -euo pipefail

binary=$1
scratch=$(mktemp -d)
daemon=

cleanup()
{
    if [ -n "$daemon" ]; then
        pkill -CONT -P "$daemon" 2>/dev/null || true
        kill "$daemon" 2>/dev/null || true
        wait "$daemon" 2>/dev/null || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=$scratch/runtime HOME=$scratch
mkdir -m 700 "$XDG_RUNTIME_DIR"
# With no server running, libpulse would start a daemon of its own that outlives the test.
echo "autospawn = no" >"$scratch/client.conf"
export PULSE_CLIENTCONFIG=$scratch/client.conf
unset PULSE_SERVER DISPLAY DBUS_SESSION_BUS_ADDRESS

timeout 60 pulseaudio -n --daemonize=no --use-pid-file=no --exit-idle-time=-1 \
    --disable-shm=yes --log-target=stderr \
    -L "module-native-protocol-unix auth-anonymous=1" \
    -L "module-null-sink sink_name=calls rate=48000 channels=1 norewinds=1" \
    2>"$scratch/pulseaudio.log" &
daemon=$!

for _ in $(seq 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
done
if ! pactl info >/dev/null 2>&1; then
    cat "$scratch/pulseaudio.log" >&2
    echo "FAIL: PulseAudio did not start" >&2
    exit 1
fi

# Runs the tests a filter names; each skips where what this script sets up is missing, which
# here is a failure.
run_tests()
{
    local filter=$1 status=0
    shift
    "$@" --gtest_filter="$filter" | tee "$scratch/tests.log" || status=$?
    if [ "$status" = 0 ] && grep -q '^\[  SKIPPED \]' "$scratch/tests.log"; then
        echo "FAIL: $filter skipped" >&2
        status=1
    fi
    return "$status"
}

export LSAN_OPTIONS=suppressions=$(dirname "$0")/soundserver.supp SDL_AUDIODRIVER=pulseaudio
LOTTOVOX_MONITOR=calls.monitor run_tests 'SoundServer.*' "$binary"

# A process of its own: the player it ends leaves a thread stuck in the sound library.
server=$(pgrep -P "$daemon" -x pulseaudio)
status=0
LOTTOVOX_SERVER_PID=$server LOTTOVOX_ENDING=$scratch/ending \
    run_tests 'HungSoundServer.*' timeout 40 "$binary" || status=$?
ended=$(date +%s%N)
kill -CONT "$server"
if [ "$status" = 124 ]; then
    echo "FAIL: the player waited for the stopped server" >&2
    exit 1
fi
[ "$status" = 0 ] || exit "$status"
took=$(( (ended - $(cat "$scratch/ending")) / 1000000 ))
echo "the player and its process ended ${took} ms after the last call, the server still stopped"
if [ "$took" -gt 6000 ]; then
    echo "FAIL: ending took longer than 6 s" >&2
    exit 1
fi

kill "$daemon"
wait "$daemon" 2>/dev/null || true
daemon=
LOTTOVOX_FAULTS=1 run_tests 'SoundServerFaults.*' "$binary"
