#!/usr/bin/env bash
# tools/fuzz.sh TARGET SECONDS
#
# Builds a libFuzzer target of fuzz/ with the "fuzz" preset (clang, ASan + UBSan, build-fuzz/)
# and runs a campaign of SECONDS on one core, starting from a copy of fuzz/corpus/<name> (the
# target's name without "fuzz_"); the seeds in the source tree are left as they are. Findings
# are written to build-fuzz/findings/; replay one with the target itself, or with the plain
# build's <target>_replay, to debug it.
#
#   tools/fuzz.sh fuzz_port_table 600
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: tools/fuzz.sh TARGET SECONDS" >&2
  exit 2
fi
target=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

seeds="fuzz/corpus/${target#fuzz_}"
[ -d "$seeds" ] || { echo "no seed corpus $seeds" >&2; exit 2; }

if ! command -v clang++ >/dev/null; then
  echo "clang++ is needed (Debian: apt-get install clang libclang-rt-14-dev)" >&2
  exit 2
fi
cmake --preset fuzz >/dev/null
cmake --build build-fuzz --target "$target" -j2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$seeds" "$work/corpus"
mkdir -p build-fuzz/findings
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
"build-fuzz/fuzz/$target" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
  -artifact_prefix="$root/build-fuzz/findings/" -print_final_stats=1 \
  "$work/corpus"
