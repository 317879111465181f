#!/usr/bin/env bash
# Seeding the Windows build cache from a shared copy of its prefixes, in scratch folders with a
# small stand-in archive: the copy is unpacked only when its checksum holds and RECIPE names the
# very scripts of this checkout; prefixes already complete are kept and half-built ones replaced;
# whatever is declined leaves the cache as it was, for scripts/build-windows to build.
# Usage: windows_seed_test.sh SCRIPTS-FOLDER
set -euo pipefail
shopt -s inherit_errexit

scripts=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail()
{
    echo "FAIL: $*" >&2
    exit 1
}

# A checkout holding the seeding script and the four scripts that build the prefixes.
checkout=$scratch/checkout
mkdir -p "$checkout/scripts"
cp "$scripts"/{windows-seed,windows-env,build-windows,windows-sources,windows-toolchain.cmake} "$checkout/scripts/"

# The shared copy as the checkout's scripts would have built it.
makeShared()
{
    shared=$scratch/shared
    rm -rf "$shared" "$scratch/prefixes"
    mkdir -p "$shared"
    for name in sdl2 qtbase googletest; do
        mkdir -p "$scratch/prefixes/$name/bin"
        echo "$name built for Windows" >"$scratch/prefixes/$name/bin/$name.dll"
        touch "$scratch/prefixes/$name/.complete"
    done
    tar -cJf "$shared/windows-prefixes.tar.xz" -C "$scratch/prefixes" sdl2 qtbase googletest
    (cd "$shared" && sha256sum windows-prefixes.tar.xz >SHA256SUMS)
    for script in build-windows windows-sources windows-toolchain.cmake windows-env; do
        echo "$(git hash-object "$checkout/scripts/$script")  scripts/$script"
    done >"$shared/RECIPE"
}

# Seeds a fresh or given cache and prints what it then holds, one file a line.
seed()
{
    export LOTTOVOX_WINDOWS_CACHE=${cache:-$scratch/cache}
    "$checkout/scripts/windows-seed" "$shared" >/dev/null 2>"$scratch/declined" \
        || fail "windows-seed failed: $(cat "$scratch/declined")"
    [ ! -d "$LOTTOVOX_WINDOWS_CACHE" ] || (cd "$LOTTOVOX_WINDOWS_CACHE" && find . -type f | sort)
}

seeded=$(printf '%s\n' ./googletest/.complete ./googletest/bin/googletest.dll ./qtbase/.complete \
    ./qtbase/bin/qtbase.dll ./sdl2/.complete ./sdl2/bin/sdl2.dll)

makeShared
[ "$(seed)" = "$seeded" ] || fail "an empty cache was not seeded with every prefix: $(seed)"
rm -rf "$scratch/cache"

# Declined: the cache stays empty, and the reason is given.
declinedWith()
{
    local reason=$1 held
    held=$(seed)
    [ -z "$held" ] || fail "$reason: the cache was seeded anyway: $held"
    grep -qF "$reason" "$scratch/declined" || fail "$reason: said instead: $(cat "$scratch/declined")"
    rm -rf "$scratch/cache"
}
echo >>"$shared/windows-prefixes.tar.xz"
declinedWith "does not match SHA256SUMS"
makeShared
(cd "$shared" && sha256sum RECIPE >SHA256SUMS)
declinedWith "does not match SHA256SUMS"
makeShared
echo "# built for Windows" >>"$checkout/scripts/windows-toolchain.cmake"
declinedWith "scripts/windows-toolchain.cmake differs"
cp "$scripts/windows-toolchain.cmake" "$checkout/scripts/"
sed -i '/scripts\/windows-sources$/d' "$shared/RECIPE"
declinedWith "RECIPE does not name scripts/windows-sources"
makeShared
rm -rf "$scratch/prefixes/qtbase/.complete"
tar -cJf "$shared/windows-prefixes.tar.xz" -C "$scratch/prefixes" sdl2 qtbase googletest
(cd "$shared" && sha256sum windows-prefixes.tar.xz >SHA256SUMS)
declinedWith "holds no finished qtbase"
[ -z "$(find "$scratch" -name '.seed.*')" ] || fail "a declined archive was left unpacked"
rm -rf "$shared"
declinedWith "no windows-prefixes.tar.xz"
echo "ok: a wrong checksum, a changed or unnamed recipe script, an unfinished or missing archive seed nothing"

# A cache built here: complete prefixes stay as they are, a half-built one is replaced whole.
makeShared
cache=$scratch/built
mkdir -p "$cache"/{sdl2,qtbase,googletest}
touch "$cache"/{sdl2,googletest}/.complete "$cache/sdl2/built-here" "$cache/qtbase/half-built"
[ "$(seed)" = "$(printf '%s\n' ./googletest/.complete ./qtbase/.complete ./qtbase/bin/qtbase.dll \
    ./sdl2/.complete ./sdl2/built-here)" ] || fail "a partly built cache was seeded as: $(seed)"
rm "$shared/windows-prefixes.tar.xz"
touch "$cache/googletest/built-here"
[ "$(seed)" = "$(printf '%s\n' ./googletest/.complete ./googletest/built-here ./qtbase/.complete \
    ./qtbase/bin/qtbase.dll ./sdl2/.complete ./sdl2/built-here)" ] || fail "a complete cache was changed"
grep -q . "$scratch/declined" && fail "a complete cache was declined: $(cat "$scratch/declined")"
echo "ok: seeded where the cache was missing or half built, complete prefixes kept as they were"
