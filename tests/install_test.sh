#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks the tree, then runs the installed
# program: offscreen to see it keep running, and on a virtual X screen with SDL's disk audio
# driver to hear a call, which it can only make if it found its voice files. The second call
# is made after moving the whole tree elsewhere, into a folder whose name is not UTF-8. The
# Debian package is checked by scripts/package-check.
# Usage: install_test.sh CMAKE SOURCE-FOLDER BUILD-FOLDER
set -euo pipefail

cmake=$1
source=$2
build=$3
scratch=$(mktemp -d)

# SIGKILL, since once SDL has started its audio it turns SIGTERM into an event nobody reads.
stop()
{
    kill -KILL "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

# Stops the programs still running, newest first: the programs before the X server they draw on.
cleanup()
{
    for pid in $(jobs -p | tac); do
        stop "$pid"
    done
    rm -rf "$scratch"
}
trap cleanup EXIT

fail()
{
    cat "$scratch"/*.log >&2 2>/dev/null || true
    echo "FAIL: $*" >&2
    exit 1
}

# Width and height from the PNG header; empty if the file is not a PNG.
pngSize()
{
    local bytes
    read -ra bytes <<<"$(od -An -v -tu1 -N24 "$1" | tr '\n' ' ')"
    [ "${bytes[*]:0:8}" = "137 80 78 71 13 10 26 10" ] || return 0
    echo "$(((bytes[16] << 24) | (bytes[17] << 16) | (bytes[18] << 8) | bytes[19]))" \
        "$(((bytes[20] << 24) | (bytes[21] << 16) | (bytes[22] << 8) | bytes[23]))"
}

checkTree()
{
    local root=$1
    [ -x "$root/lib/lottovox/lottovox" ] || fail "no executable in lib/lottovox"
    for name in B I N G O $(seq 1 90); do
        [ -s "$root/lib/lottovox/$name.wav" ] || fail "$name.wav is not beside the executable"
    done
    # Stand-ins for the named faces, with their licence, for machines that have neither.
    for face in LiberationSerif-Regular LiberationSerif-Bold LiberationSerif-BoldItalic LiberationSans-Regular; do
        [ -s "$root/lib/lottovox/fonts/$face.ttf" ] || fail "$face.ttf is not in lib/lottovox/fonts"
    done
    grep -q 'SIL Open Font License' "$root/lib/lottovox/fonts/LICENSE" || fail "the faces' licence is not beside them"
    # The Wayland title bar, where the build has it, in the plugin folder beside the executable.
    if [ -d "$build/app/plugins" ]; then
        [ -s "$root/lib/lottovox/plugins/wayland-decoration-client/liblottovoxtitlebar.so" ] \
            || fail "the title-bar plugin is not in lib/lottovox/plugins/wayland-decoration-client"
    fi
    [ "$(readlink "$root/bin/lottovox")" = ../lib/lottovox/lottovox ] \
        || fail "bin/lottovox is not a relative link to the executable"
    local desktop=$root/share/applications/lottovox.desktop
    grep -qx 'Exec=lottovox' "$desktop" && grep -qx 'Icon=lottovox' "$desktop" \
        || fail "the desktop entry does not start lottovox with its icon"
    for size in 16 24 32 48 64 128 256; do
        local icon=$root/share/icons/hicolor/${size}x$size/apps/lottovox.png
        [ -f "$icon" ] || fail "no $size x $size icon"
        [ "$(pngSize "$icon")" = "$size $size" ] || fail "$icon is not a $size x $size PNG"
    done
    # Infos (the maker's site is plain HTTP) are all it may say, even when pedantic.
    appstreamcli validate-tree --no-net --pedantic "$root" >"$scratch/validate.log" 2>&1 \
        && ! grep -E '^ *[EWP]: ' "$scratch/validate.log" \
        || fail "the metainfo or desktop entry is not valid, or draws more than infos"
    rm "$scratch/validate.log"
}

startScreen()
{
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
    for _ in $(seq 100); do
        [ -s "$scratch/display" ] && break
        sleep 0.1
    done
    [ -s "$scratch/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$scratch/display")"
}

# Starts the program through the given launcher, clicks Next Number and waits for samples
# that are not silence to reach the disk audio file.
hearsCall()
{
    local launcher=$1
    local audio=$scratch/audio.raw
    rm -f "$audio"
    (cd "$scratch" && QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$audio" exec "$launcher") >"$scratch/program.log" 2>&1 &
    local pid=$!
    local window
    window=$(timeout 15 xdotool search --sync --onlyvisible --name '^Lottovox$' | head -n 1) \
        || fail "$launcher showed no window"
    local WINDOW X Y WIDTH HEIGHT SCREEN
    eval "$(xdotool getwindowgeometry --shell "$window")"
    # Next Number lies 133 to 154 pixels above the window's bottom edge, 23 to 104 from its left.
    xdotool mousemove "$((X + 63))" "$((Y + HEIGHT - 144))" click 1
    for _ in $(seq 100); do
        if [ -s "$audio" ] && [ "$(tr -d '\0' <"$audio" | wc -c)" -gt 0 ]; then
            stop "$pid"
            return 0
        fi
        sleep 0.1
    done
    fail "no call was heard from $launcher"
}

"$cmake" --install "$build" --prefix "$scratch/usr" >"$scratch/install.log" || fail "cmake --install failed"
rm "$scratch/install.log"
checkTree "$scratch/usr"
echo "ok: installed tree"

(cd "$scratch" && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy exec "$scratch/usr/bin/lottovox") >"$scratch/offscreen.log" 2>&1 &
offscreen=$!
SECONDS=0

startScreen
hearsCall "$scratch/usr/bin/lottovox"
echo "ok: a call is heard"

while ((SECONDS < 3)); do
    sleep 0.2
done
kill -0 "$offscreen" 2>/dev/null || fail "the installed program stopped by itself offscreen"
stop "$offscreen"
echo "ok: still running offscreen after 2 s"

moved=$scratch/$'moved f\xfcr'
mv "$scratch/usr" "$moved"
hearsCall "$moved/bin/lottovox"
echo "ok: a call is heard after moving the installed tree to a folder named in Latin-1"
