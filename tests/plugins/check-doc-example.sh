#!/usr/bin/env bash
# Builds the example plug-in of docs/plugins.md exactly as the page tells a reader to, then loads it
# the way Tavlen does:  check-doc-example.sh DOC API_DIR PROBE WORK_DIR
set -euo pipefail
doc=$1 api=$2 probe=$3 work=$4

rm -rf "$work"
mkdir -p "$work"
cd "$work"

# The first C block is the example, saved under the name the page gives it.
awk '/^```c$/ && !done { inside = 1; next } /^```$/ && inside { inside = 0; done = 1 } inside' \
    "$doc" > shout.c
[ -s shout.c ] || { echo "no C example found in $doc"; exit 1; }

# The build command is the first line of a shell block that starts with "cc ".
command=$(awk '/^```sh$/ { inside = 1; next } /^```$/ { inside = 0 } inside && /^cc / { print; exit }' "$doc")
[ -n "$command" ] || { echo "no cc command found in $doc"; exit 1; }
echo "+ $command"
sh -c "$command"

# The page's prototypes must be the contract's: compiling against the header finds any drift.
cc -fsyntax-only -Wall -Werror -include "$api/TavlenPlugin.h" shout.c

expect() {
    local output=$1 line=$2
    grep -qxF -- "$line" <<<"$output" || { echo "expected line: $line"; echo "$output"; exit 1; }
}

output=$("$probe" ./shout.so "Hello, world")
expect "$output" "caption: Shout"
expect "$output" "info: 0 | Shout | A. Writer | 1.0 | writer@example.org | https://example.org/shout | Writes the selected text in capital letters"
expect "$output" "result: 1"
expect "$output" "selection: HELLO, WORLD"
expect "$output" "error: (none)"

output=$("$probe" ./shout.so "")
expect "$output" "result: 0"
expect "$output" "error: Select some text first."
echo "docs/plugins.md example: built and loaded"
