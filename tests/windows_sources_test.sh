#!/usr/bin/env bash
# The Windows build's first step on a machine whose apt lists no deb-src lines, in a scratch apt
# configuration with apt-get and apt-cache standing in for the archive: fetching a source
# package adds the deb-src lines beside apt's own and prints nothing but the unpacked folder,
# which the build captures; a fetch that fails fails the step and is tried again next time.
# Usage: windows_sources_test.sh SCRIPTS-FOLDER
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

mkdir "$scratch/bin"
# Both talk on standard output as the real ones do.
cat >"$scratch/bin/apt-get" <<'STUB'
#!/bin/bash
case $1 in
    update) echo "Get:1 http://deb.debian.org/debian bookworm InRelease [151 kB]" ;;
    source)
        [ ! -e "$STUB_SOURCE_FAILS" ] || { echo "E: Unable to find a source package" >&2; exit 100; }
        echo "dpkg-source: info: extracting ${*: -1} in ${*: -1}-1.0"
        mkdir "${*: -1}-1.0" ;;
esac
STUB
cat >"$scratch/bin/apt-cache" <<'STUB'
#!/bin/bash
if grep -qs '^deb-src\|^Types: deb-src' "$STUB_SOURCES"/*; then
    echo "Package: ${*: -1}"
fi
STUB
chmod +x "$scratch/bin"/*
export PATH=$scratch/bin:$PATH

# One configuration in deb822 style, as Debian 12 installs it, and one with the older list.
for style in sources list; do
    root=$scratch/$style
    parts=$root/etc/apt/sources.list.d
    mkdir -p "$parts"
    if [ $style = sources ]; then
        printf 'Types: deb\nURIs: http://deb.debian.org/debian\nSuites: bookworm\nComponents: main\n' \
            >"$parts/debian.sources"
    else
        printf 'deb http://deb.debian.org/debian bookworm main\n' >"$root/etc/apt/sources.list"
    fi
    echo "Dir \"$root/\";" >"$root/apt.conf"
    export APT_CONFIG=$root/apt.conf STUB_SOURCES=$parts STUB_SOURCE_FAILS=$root/source-fails

    (
        windows_cache=$root/cache
        source "$scripts/windows-sources"

        folder=$(unpack_source libsdl2 2>/dev/null)
        [ "$folder" = "$windows_cache/src/libsdl2/libsdl2-1.0" ] \
            || fail "$style: unpack_source printed '$folder', not the source folder"
        grep -qs '^Types: deb-src$\|^deb-src http://deb.debian.org/debian bookworm main$' "$parts"/lottovox-deb-src.* \
            || fail "$style: no deb-src lines were added"
        [ "$(unpack_source libsdl2 2>&1)" = "$folder" ] || fail "$style: a second run did not reuse the folder"

        touch "$STUB_SOURCE_FAILS"
        ! unpack_source googletest >/dev/null 2>&1 || fail "$style: a failed fetch did not fail"
        rm "$STUB_SOURCE_FAILS"
        [ "$(unpack_source googletest 2>/dev/null)" = "$windows_cache/src/googletest/googletest-1.0" ] \
            || fail "$style: the fetch was not tried again after it failed"
    )
done
echo "ok: source packages fetched on the first run, with and without deb822 sources"
