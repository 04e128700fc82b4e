#!/usr/bin/env bash
# Converts the same 5 MB text-heavy Russian RTF to text with tavlen-cli, AbiWord and LibreOffice,
# whole processes, alternating runs, and prints the medians: Tavlen must be the fastest. Also times
# tavlen-cli on a tenth of the input: ten times the input may take at most twelve times as long.
# Needs AbiWord and LibreOffice Writer:
#   sudo apt-get install --no-install-recommends abiword libreoffice-writer-nogui
# Usage: compare-converters.sh BENCH_BUILD_DIR
set -euo pipefail
export LC_ALL=C
build=${1:-build-bench}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../text/timing.sh"
cli="$build/tavlen-cli"
sample="$build/bench/helpers/rtf_make_sample"
for tool in "$cli" "$sample"; do
  [ -x "$tool" ] || { echo "missing $tool: build the bench targets first" >&2; exit 1; }
done
missing=()
command -v abiword >/dev/null || missing+=(abiword)
command -v soffice >/dev/null || missing+=(libreoffice-writer-nogui)
if [ ${#missing[@]} -gt 0 ]; then
  echo "compare-converters: needs ${missing[*]}; install with" >&2
  echo "  sudo apt-get install --no-install-recommends abiword libreoffice-writer-nogui" >&2
  exit 1
fi
runs=${RUNS:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$sample" "$work/big.rtf" $((5 << 20))
"$sample" "$work/small.rtf" $((512 << 10))
export QT_QPA_PLATFORM=offscreen
profile="file://$work/lo-profile" # a fresh LibreOffice profile, made once before the timed runs
soffice -env:UserInstallation="$profile" --headless --convert-to txt --outdir "$work/warm" "$work/small.rtf" >/dev/null 2>&1

for _ in $(seq "$runs"); do
  run_timed "$work/t-small" "$cli" convert "$work/small.rtf" "$work/small.txt"
  run_timed "$work/t-ours" "$cli" convert "$work/big.rtf" "$work/ours.txt"
  run_timed "$work/t-abi" abiword --to=txt -o "$work/abi.txt" "$work/big.rtf"
  run_timed "$work/t-lo" soffice -env:UserInstallation="$profile" --headless --convert-to txt --outdir "$work/lo" "$work/big.rtf"
done
[ -s "$work/ours.txt" ] || { echo "tavlen-cli wrote nothing" >&2; exit 1; }

ours=$(median "$work/t-ours" 1); abi=$(median "$work/t-abi" 1); lo=$(median "$work/t-lo" 1)
small=$(median "$work/t-small" 1)
awk -v o="$ours" -v a="$abi" -v l="$lo" -v s="$small" -v runs="$runs" 'BEGIN {
  printf "5 MB Russian RTF -> text, whole processes, median of %d runs (wall seconds)\n", runs
  printf "  tavlen-cli convert     %.3f\n", o
  printf "  abiword --to=txt       %.3f\n", a
  printf "  soffice --convert-to   %.3f\n", l
  printf "  tavlen-cli on 0.5 MB   %.3f  (5 MB / 0.5 MB: %.1fx, allowed 12x)\n", s, o / s
  fastest = o < a && o < l
  linear = o <= 12 * s
  if (!fastest) print "  FAIL: tavlen-cli is not the fastest"
  if (!linear) print "  FAIL: reading is not linear"
  exit fastest && linear ? 0 : 1
}'
