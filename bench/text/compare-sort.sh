#!/usr/bin/env bash
# Sorts 1,000,000 mixed Russian/English lines with SortLines (Windows-1251) and with
# `LC_ALL=ru_RU.UTF-8 sort -f` (the same lines in UTF-8), alternating runs, and prints the medians.
# SortLines must be no slower. Generates the ru_RU.UTF-8 locale if it is missing (needs root and
# Debian's `locales` package).
# Usage: compare-sort.sh BENCH_BUILD_DIR
set -euo pipefail
export LC_ALL=C # plain decimal points in the timings, whatever the user's locale
build=${1:-build-bench}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/timing.sh"
sorter="$build/bench/helpers/text_sort_file"
[ -x "$sorter" ] || { echo "missing $sorter: build the bench targets first" >&2; exit 1; }
runs=${RUNS:-5}

if ! locale -a 2>/dev/null | grep -qix 'ru_RU\.utf-\?8'; then
  [ -f /usr/share/i18n/locales/ru_RU ] || { echo "ru_RU.UTF-8 needs Debian's 'locales' package" >&2; exit 1; }
  grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null ||
    echo 'ru_RU.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One to four words a line, Russian or English, in mixed case.
awk 'BEGIN {
  srand(1)
  nr = split("привет мир ёлка Москва текст редактор строка объём щука хлеб Жёлтый юг съезд шёпот часы эхо подъезд книга ЯБЛОКО река время город ночь Фёдор", ru, " ")
  ne = split("hello world Editor text LINE window file Quick brown fox jumps over lazy dog Sort case", en, " ")
  for (i = 0; i < 1000000; i++) {
    n = 1 + int(rand() * 4); line = ""
    for (k = 0; k < n; k++) {
      w = rand() < 0.4 ? en[1 + int(rand() * ne)] : ru[1 + int(rand() * nr)]
      line = line (k ? " " : "") w
    }
    print line
  }
}' >"$work/lines.utf8"
iconv -f UTF-8 -t CP1251 "$work/lines.utf8" >"$work/lines.cp1251"

for _ in $(seq "$runs"); do
  run_timed "$work/ours" "$sorter" "$work/lines.cp1251" "$work/ours.txt"
  run_timed "$work/sort" env LC_ALL=ru_RU.UTF-8 sort -f "$work/lines.utf8" -o "$work/sort.txt"
done

# Same lines, both ways; how often the two collations agree on a line's place is shown for interest.
iconv -f CP1251 -t UTF-8 "$work/ours.txt" | tr -d '\r' >"$work/ours.utf8"
[ "$(LC_ALL=C sort "$work/ours.utf8" | md5sum)" = "$(LC_ALL=C sort "$work/sort.txt" | md5sum)" ] ||
  { echo "the two sorts hold different lines" >&2; exit 1; }
same=$(paste -d '\n' "$work/ours.utf8" "$work/sort.txt" | awk 'NR % 2 { a = $0; next } a == $0 { s++ } END { print s + 0 }')

ours=$(median "$work/ours" 1); theirs=$(median "$work/sort" 1)
ours_cpu=$(median "$work/ours" 2); theirs_cpu=$(median "$work/sort" 2)
awk -v o="$ours" -v t="$theirs" -v oc="$ours_cpu" -v tc="$theirs_cpu" -v runs="$runs" -v same="$same" 'BEGIN {
  printf "1,000,000 lines, median of %d runs each (wall / CPU seconds)\n", runs
  printf "  SortLines             %.3f / %.3f\n", o, oc
  printf "  sort -f (ru_RU.UTF-8) %.3f / %.3f\n", t, tc
  printf "  ratio %.2fx wall, %.2fx CPU in favour of SortLines (required: at least 1x)\n", t / o, tc / oc
  printf "  lines in the same place in both outputs: %d\n", same
  exit t / o >= 1 ? 0 : 1
}'
