#!/usr/bin/env bash
# Converts a 64 MB Windows-1251 text to KOI8-R with TCodeChanger and with iconv, alternating runs of
# the two on the same file, and prints the medians. The converter must be at least 3 times faster.
# Usage: compare-iconv.sh BENCH_BUILD_DIR
set -euo pipefail
export LC_ALL=C # plain decimal points in the timings, whatever the user's locale
build=${1:-build-bench}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/timing.sh"
convert="$build/bench/helpers/text_convert_file"
[ -x "$convert" ] || { echo "missing $convert: build the bench targets first" >&2; exit 1; }
runs=${RUNS:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Russian and English prose that KOI8-R holds completely, so that iconv converts every byte and both
# results can be compared.
paragraph='Съешь же ещё этих мягких французских булок, да выпей чаю. The quick brown fox jumps over the lazy dog 1234567890.
Широкая электрификация южных губерний даст мощный толчок подъёму сельского хозяйства; ЁЛКА, Юла, Щука.
'
printf '%s' "$paragraph" | iconv -f UTF-8 -t CP1251 >"$work/seed"
cp "$work/seed" "$work/grow"
while [ "$(stat -c %s "$work/grow")" -lt $((64 << 20)) ]; do
  cat "$work/grow" "$work/grow" >"$work/next" && mv "$work/next" "$work/grow"
done
head -c $((64 << 20)) "$work/grow" >"$work/in.txt"
rm "$work/grow" "$work/seed"

for _ in $(seq "$runs"); do
  run_timed "$work/ours" "$convert" win1251 koi8r "$work/in.txt" "$work/ours.txt"
  run_timed "$work/iconv" sh -c 'iconv -f CP1251 -t KOI8-R "$1" >"$2"' _ "$work/in.txt" "$work/iconv.txt"
done
cmp -s "$work/ours.txt" "$work/iconv.txt" || { echo "the two conversions differ" >&2; exit 1; }

ours=$(median "$work/ours" 1); theirs=$(median "$work/iconv" 1)
ours_cpu=$(median "$work/ours" 2); theirs_cpu=$(median "$work/iconv" 2)
awk -v o="$ours" -v t="$theirs" -v oc="$ours_cpu" -v tc="$theirs_cpu" -v runs="$runs" 'BEGIN {
  printf "64 MB Windows-1251 -> KOI8-R, median of %d runs each (wall / CPU seconds)\n", runs
  printf "  TCodeChanger  %.3f / %.3f  (%.0f MB/s)\n", o, oc, 64 / o
  printf "  iconv         %.3f / %.3f  (%.0f MB/s)\n", t, tc, 64 / t
  ratio = t / o
  printf "  ratio %.1fx wall, %.1fx CPU (required: at least 3x)\n", ratio, tc / oc
  exit ratio >= 3 ? 0 : 1
}'
