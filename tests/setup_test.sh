#!/usr/bin/env bash
# scripts/setup reads debian/control's Build-Depends, where the Liberation faces are
# "fonts-liberation (>= 1:2) | fonts-liberation2": Debian 12 has the 2.x faces only in
# fonts-liberation2 (its fonts-liberation is 1.x), Debian 13 only in fonts-liberation. Run with
# stand-ins for dpkg-query, apt-cache, apt-get and sudo that play a machine of either release,
# it must install the alternative that release can give, count an installed alternative only at
# the version asked for, and take nothing marked for the tests unless asked to.
# Usage: setup_test.sh SOURCE-FOLDER
set -euo pipefail

source_folder=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail()
{
    echo "FAIL: $*" >&2
    exit 1
}

mkdir "$scratch/bin"
# The machine: $STUB_MACHINE/installed holds "name version" per installed package,
# $STUB_MACHINE/candidates "name version" per package its sources offer.
cat >"$scratch/bin/dpkg-query" <<'STUB'
#!/bin/bash
name=${!#}
version=$(awk -v name="$name" '$1 == name { print $2 }' "$STUB_MACHINE/installed")
[ -n "$version" ] || { echo "dpkg-query: no packages found matching $name" >&2; exit 1; }
printf 'installed %s' "$version"
STUB
cat >"$scratch/bin/apt-cache" <<'STUB'
#!/bin/bash
version=$(awk -v name="$2" '$1 == name { print $2 }' "$STUB_MACHINE/candidates")
echo "$2:"
echo "  Installed: (none)"
echo "  Candidate: ${version:-(none)}"
STUB
# Records the packages an install names.
cat >"$scratch/bin/apt-get" <<'STUB'
#!/bin/bash
[ "$1" = install ] || exit 0
shift
: >"$STUB_MACHINE/installs"
while [ $# -gt 0 ]; do
    case $1 in
        -o) shift 2 ;;
        -*) shift ;;
        *) echo "$1" >>"$STUB_MACHINE/installs"; shift ;;
    esac
done
STUB
printf '#!/bin/bash\nexec "$@"\n' >"$scratch/bin/sudo"
chmod +x "$scratch"/bin/*

# Every other Build-Depends installed but those for the tests, so that what is asked for is the
# faces alone.
others=$(awk '/^Build-Depends:/ { on = 1; next } /^[^ ]/ { on = 0 } on' "$source_folder/debian/control" \
    | grep -v '<!nocheck>' | sed -E 's/^ *([^ ,(]+).*/\1/' | grep -v -e '^fonts-liberation' -e '^debhelper-compat')

# Usage: setup_on MACHINE-NAME INSTALLED CANDIDATES [SETUP-ARGUMENT...]; INSTALLED and
# CANDIDATES are "name version" lines. Prints what setup installed, one name a line.
setup_on()
{
    local machine=$scratch/$1 installed=$2 candidates=$3
    shift 3
    mkdir -p "$machine"
    { echo "g++ 4:14.2.0-1"; sed 's/$/ 1.0/' <<<"$others"; [ -z "$installed" ] || echo "$installed"; } \
        >"$machine/installed"
    echo "$candidates" >"$machine/candidates"
    rm -f "$machine/installs"
    PATH=$scratch/bin:$PATH STUB_MACHINE=$machine bash "$source_folder/scripts/setup" "$@" >"$machine/output" 2>&1 \
        || { cat "$machine/output" >&2; fail "$1: scripts/setup failed"; }
    [ ! -f "$machine/installs" ] || cat "$machine/installs"
}

bookworm_offers=$'fonts-liberation 1:1.07.4-11\nfonts-liberation2 2.1.5-1'
trixie_offers=$'fonts-liberation 1:2.1.5-3\nfonts-liberation2 1:2.1.5-3'

# Which alternative a fresh machine of each release gets.
got=$(setup_on bookworm "" "$bookworm_offers")
[ "$got" = fonts-liberation2 ] || fail "Debian 12 got '$got', not fonts-liberation2 (its fonts-liberation is 1.x)"
got=$(setup_on trixie "" "$trixie_offers")
[ "$got" = fonts-liberation ] || fail "Debian 13 got '$got', not fonts-liberation (fonts-liberation2 is empty there)"

# What counts as installed: either alternative at a version that fits, never the 1.x faces.
got=$(setup_on bookworm-with-old-faces "fonts-liberation 1:1.07.4-11" "$bookworm_offers")
[ "$got" = fonts-liberation2 ] || fail "with 1.x faces installed, Debian 12 got '$got', not fonts-liberation2"
got=$(setup_on bookworm-ready "fonts-liberation2 2.1.5-1" "$bookworm_offers")
[ -z "$got" ] || fail "with fonts-liberation2 installed, setup still installed '$got'"
got=$(setup_on trixie-ready "fonts-liberation 1:2.1.5-3" "$trixie_offers")
[ -z "$got" ] || fail "with fonts-liberation 2.x installed, setup still installed '$got'"

# A release that offers neither is told so, rather than given something else.
echo "fonts-liberation 1:1.07.4-11" >"$scratch/bookworm/candidates"
if PATH=$scratch/bin:$PATH STUB_MACHINE=$scratch/bookworm bash "$source_folder/scripts/setup" >"$scratch/none.log" 2>&1; then
    fail "setup succeeded on a release without the 2.x faces"
fi
grep -q "No package of this release satisfies fonts-liberation (>= 1:2) | fonts-liberation2" "$scratch/none.log" \
    || { cat "$scratch/none.log" >&2; fail "setup did not say which relation it could not satisfy"; }

# The entries marked for the tests only with --test, and without their marks.
got=$(setup_on trixie-test "fonts-liberation 1:2.1.5-3" "$trixie_offers" --test | tr '\n' ' ')
for package in libgtest-dev fonts-dejavu-core weston; do
    [[ " $got" == *" $package "* ]] || fail "setup --test did not install $package (it installed: $got)"
done
[[ $got != *'<'* ]] || fail "setup --test passed a build profile to apt-get: $got"

echo "ok: setup installs the Liberation faces each release gives, and the tests' packages only with --test"
