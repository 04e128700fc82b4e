#!/usr/bin/env bash
# Runs every benchmark program of a bench build, then every comparison script (bench/*/compare-*.sh).
set -euo pipefail
build=${1:-build-bench}
here=$(cd "$(dirname "$0")" && pwd)
export QT_QPA_PLATFORM=offscreen
for b in "$build"/bench/*; do
  [ -x "$b" ] && [ -f "$b" ] || continue
  echo "== $(basename "$b")"
  "$b"
done
for s in "$here"/*/compare-*.sh; do
  [ -f "$s" ] || continue
  echo "== $(basename "$s")"
  bash "$s" "$build"
done
