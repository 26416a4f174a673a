#!/usr/bin/env bash
# Rebuilds data/ports.dbf, data/ports.tags, their companion data/harmonics.bin and the current
# stations data/currents.json from the pinned
# @neaps/tide-database, then runs the accuracy check. Needs the npm registry (npm ci) once; the build and the program never do.
#
#   tools/port-table/regenerate.sh [--check]
#
# The intermediate JSON goes to build-data/ports.json; with --check, the accuracy report goes to
# build-data/accuracy.md and the reference extremes of the data tests to
# data/reference-extremes.json.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="$root/build-data"

cd "$here"
npm ci --no-audit --no-fund --loglevel=error
mkdir -p "$build"
node convert.mjs "$build/ports.json"
node currents.mjs "$root/data/currents.json"

cd "$root"
[ -f "$build/build.ninja" ] || cmake --preset default -B "$build" >/dev/null
cmake --build "$build" --target ondrel-make-table ondrel-make-harmonics ondrel-port-check ondrel-cli
"$build/tools/port-table/ondrel-make-table" "$build/ports.json" "$root/data/ports.dbf"
"$build/tools/port-table/ondrel-make-harmonics" "$build/ports.json" "$root/data/harmonics.bin"

if [ "${1:-}" = "--check" ]; then
  cd "$here"
  node check.mjs "$build/ports.json" "$root/data/ports.dbf" "$build/tools/port-table/ondrel-port-check" \
    "$build/src/cli/ondrel-cli" --reference "$root/data/reference-extremes.json" | tee "$build/accuracy.md"
  node currents-check.mjs "$root/data/currents.json" "$build/src/cli/ondrel-cli" 100 | tee -a "$build/accuracy.md"
fi
