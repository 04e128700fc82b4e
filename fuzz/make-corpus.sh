#!/bin/sh
# Builds a starting corpus for a fuzz target from the test fixtures, so that the fuzzer begins from
# well-formed files of every kind instead of having to discover the header first.
#   fuzz/make-corpus.sh rvf|xml|rtf OUTDIR
# The native-format target reads two bytes of options and one of mode before the file: each fixture
# goes in twice, with the default options loaded whole and with every option on pasted.
set -eu
area=$1
out=$2
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$out"
n=0
for f in "$root"/tests/data/"$area"/* "$root"/tests/data/"$area"/fuzz/*; do
    [ -f "$f" ] || continue
    n=$((n + 1))
    if [ "$area" = rvf ]; then
        # 0xD87F: the editor's default options, low byte first.
        { printf '\177\330\000'; cat "$f"; } >"$out/seed-$n-load"
        { printf '\377\377\001'; cat "$f"; } >"$out/seed-$n-paste"
    else
        cp "$f" "$out/seed-$n"
    fi
done
echo "$n fixtures from tests/data/$area in $out"
