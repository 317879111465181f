#!/usr/bin/env bash
# The Windows build's first step on a machine whose apt lists no deb-src lines, in a scratch apt
# configuration with a stand-in apt-get that reads the sources it is given: fetching a source
# package works from a private apt configuration, leaves the machine's own byte for byte as it
# was, and prints nothing but the unpacked folder, which the build captures; a fetch that fails
# fails the step and is tried again next time.
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
# Talks on standard output as the real one does, and like it refuses to fetch a source package
# unless the sources it reads list deb-src lines.
cat >"$scratch/bin/apt-get" <<'STUB'
#!/bin/bash
list=$STUB_ETC/sources.list parts=$STUB_ETC/sources.list.d
while [ $# -gt 0 ]; do
    case $1 in
        -o) case $2 in
                Dir::Etc::sourcelist=*) list=${2#*=} ;;
                Dir::Etc::sourceparts=*) parts=${2#*=} ;;
            esac
            shift 2 ;;
        -*) shift ;;
        *) break ;;
    esac
done
case $1 in
    update) echo "Get:1 http://deb.debian.org/debian bookworm InRelease [151 kB]" ;;
    source)
        grep -qs '^deb-src \|^Types: deb-src$' "$list" "$parts"/* \
            || { echo "E: You must put some 'deb-src' URIs in your sources.list" >&2; exit 100; }
        [ ! -e "$STUB_SOURCE_FAILS" ] || { echo "E: Unable to find a source package" >&2; exit 100; }
        echo "dpkg-source: info: extracting ${*: -1} in ${*: -1}-1.0"
        mkdir "${*: -1}-1.0" ;;
esac
STUB
chmod +x "$scratch/bin"/*
export PATH=$scratch/bin:$PATH

# One configuration in deb822 style, as Debian 12 installs it, and one with the older list.
for style in sources list; do
    root=$scratch/$style
    etc=$root/etc/apt
    mkdir -p "$etc/sources.list.d"
    if [ $style = sources ]; then
        printf 'Types: deb\nURIs: http://deb.debian.org/debian\nSuites: bookworm\nComponents: main\n' \
            >"$etc/sources.list.d/debian.sources"
    else
        printf 'deb http://deb.debian.org/debian bookworm main\n' >"$etc/sources.list"
    fi
    echo "Dir \"$root/\";" >"$root/apt.conf"
    export APT_CONFIG=$root/apt.conf STUB_ETC=$etc STUB_SOURCE_FAILS=$root/source-fails
    before=$(cd "$etc" && find . -type f -exec sha256sum {} + | sort)

    (
        windows_cache=$root/cache
        source "$scripts/windows-sources"

        folder=$(unpack_source libsdl2 2>/dev/null) || fail "$style: the first fetch failed"
        [ "$folder" = "$windows_cache/src/libsdl2/libsdl2-1.0" ] \
            || fail "$style: unpack_source printed '$folder', not the source folder"
        [ "$(unpack_source libsdl2 2>&1)" = "$folder" ] || fail "$style: a second run did not reuse the folder"

        touch "$STUB_SOURCE_FAILS"
        ! unpack_source googletest >/dev/null 2>&1 || fail "$style: a failed fetch did not fail"
        rm "$STUB_SOURCE_FAILS"
        [ "$(unpack_source googletest 2>/dev/null)" = "$windows_cache/src/googletest/googletest-1.0" ] \
            || fail "$style: the fetch was not tried again after it failed"
    )
    [ "$(cd "$etc" && find . -type f -exec sha256sum {} + | sort)" = "$before" ] \
        || fail "$style: the machine's apt configuration was changed"
done
echo "ok: source packages fetched on the first run, with and without deb822 sources, the machine's apt configuration untouched"
