# Shared by the compare-*.sh scripts (sourced, not run): timing commands and taking medians.

# run_timed OUTFILE CMD... : runs CMD, appends "wall user+sys" in seconds to OUTFILE.
run_timed() {
  local out=$1; shift
  local TIMEFORMAT='%R %U %S' t
  t=$({ time "$@" >/dev/null 2>&1; } 2>&1) || { echo "failed: $*" >&2; return 1; }
  awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }' <<<"$t" >>"$out"
}

# median FILE COLUMN : median of one column of a run_timed file.
median() {
  sort -g -k"$2","$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
