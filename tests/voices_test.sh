#!/usr/bin/env bash
# The voice generator: it must make exactly the shipped pack and its copyright file from the
# shipped voice, and refuse a synthesis that clips, leaving the folder it writes to untouched.
# The shipped pack, measured by sox rather than by the generator's own checks: every word
# starts at once, and a letter's tail is the pause before its number.
# Usage: voices_test.sh SOURCE-FOLDER
set -euo pipefail

source=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail()
{
    echo "FAIL: $*" >&2
    exit 1
}

stems=(B I N G O $(seq 1 90))

# Seconds of silence (below -60 dBFS, 59 dB under the pack's peaks) at the start of a clip,
# or at its end with "reverse".
silence() { # file [reverse]
    local total rest
    total=$(soxi -D "$1")
    rest=$(sox "$1" -n ${2:-} silence 1 0 -60d stat 2>&1 | sed -n 's/^Length (seconds): *//p')
    awk -v t="$total" -v r="$rest" 'BEGIN { printf "%.4f", t - r }'
}
for stem in "${stems[@]}"; do
    lead=$(silence "$source/sounds/$stem.wav")
    awk -v l="$lead" 'BEGIN { exit !(l <= 0.005) }' \
        || fail "sounds/$stem.wav starts after $lead s of silence; at most 0.005 s"
    [[ $stem == [BINGO] ]] || continue
    tail=$(silence "$source/sounds/$stem.wav" reverse)
    awk -v t="$tail" 'BEGIN { exit !(t >= 0.095 && t <= 0.105) }' \
        || fail "sounds/$stem.wav ends with $tail s of silence; the pause before the number is 0.1 s"
done

"$source/scripts/make-voices" --out "$scratch/pack" >"$scratch/make.log" 2>&1 \
    || { cat "$scratch/make.log" >&2; fail "make-voices failed on the shipped voice"; }
for name in "${stems[@]/%/.wav}"; do
    cmp -s "$source/sounds/$name" "$scratch/pack/$name" \
        || fail "sounds/$name is not what make-voices makes; regenerate the pack"
done
# The copyright file names the Debian version of the voice's package it was made with: the
# pack was made on Debian 12 (libflite1 2.2-5), and Debian 13's 2.2-7 makes the same files. So
# the version is this machine's own, and the rest is the shipped file's.
voice_version=$(dpkg-query -W -f='${Version}' libflite1)
grep -q "^ libflite1 $voice_version; " "$scratch/pack/voice-copyright" \
    || fail "make-voices did not name libflite1 $voice_version in voice-copyright"
unversioned() { sed -E 's/^ libflite1 [^ ;]+; / libflite1 VERSION; /' "$1"; }
cmp -s <(unversioned "$source/sounds/voice-copyright") <(unversioned "$scratch/pack/voice-copyright") \
    || fail "sounds/voice-copyright is not what make-voices makes; regenerate the pack"

# The same synthesiser, but the word 6 comes out with a flat top a hair below full scale.
mkdir "$scratch/bin"
cat >"$scratch/bin/flite" <<EOF
#!/usr/bin/env bash
set -e
real=\$(PATH=${PATH@Q} command -v flite)
"\$real" "\$@"
args=("\$@")
for ((i = 0; i < \${#args[@]}; i++)); do
    case \${args[i]} in -t) text=\${args[i + 1]} ;; -o) out=\${args[i + 1]} ;; esac
done
[[ \${text-} == 6 ]] || exit 0
perl -e 'open my \$f, "+<:raw", \$ARGV[0] or die; seek \$f, 44 + 2 * 2000, 0; print \$f pack "s<*", (32766) x 31' "\$out"
EOF
chmod +x "$scratch/bin/flite"
cp -r "$scratch/pack" "$scratch/before"
if PATH=$scratch/bin:$PATH "$source/scripts/make-voices" --out "$scratch/pack" >"$scratch/clip.log" 2>&1; then
    fail "make-voices accepted a clip with 31 samples stuck at +32766"
fi
grep -q 'clips for: 6 *(' "$scratch/clip.log" || { cat "$scratch/clip.log" >&2; fail "the clipped word was not named"; }
diff -r "$scratch/before" "$scratch/pack" >/dev/null || fail "a refused pack changed the output folder"
