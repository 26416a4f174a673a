#!/usr/bin/env bash
# Times ondrel-cli's usual jobs as whole processes with hyperfine (Debian's hyperfine), and their
# peak memory, for this build and, given a second ondrel-cli, side by side with it:
#   tools/bench-processes.sh [OTHER-ONDREL-CLI]
# Numbers are only comparable on a quiet machine; runs are interleaved by hyperfine's command list.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v hyperfine >/dev/null || { apt-get update -qq && apt-get install -y -qq hyperfine; }
new=build/src/cli/ondrel-cli
table="--table $PWD/data/ports.dbf"
jobs=(
  "day BREST --date 2026-12-07"
  "table BREST --from 2026-01-01 --to 2026-12-31"
  "table BREST --from 2000-01-01 --to 2049-12-31"
  "curve BREST --span month --date 2026-12-07"
  "table BREST --from 2026-01-01 --to 2026-12-31 --model full"
)
for job in "${jobs[@]}"; do
  echo "== $job"
  commands=("$new $job $table")
  [ $# -gt 0 ] && commands+=("$1 $job $table")
  hyperfine -N -w 3 -r 15 --style basic "${commands[@]}" 2>/dev/null | grep -E "Time|±|faster" || true
  for cli in "$new" "$@"; do
    /usr/bin/time -f "   peak memory %M KB  ($cli)" "$cli" $job $table >/dev/null 2>/tmp/ondrel-bench-time.$$ || true
    tail -1 /tmp/ondrel-bench-time.$$
  done
done
rm -f /tmp/ondrel-bench-time.$$
# An import of the whole shipped table (exported first) into an empty table.
work=$(mktemp -d)
$new ports $table | cut -f1 | xargs -d '\n' $new export $table > "$work/all.add"
python3 - "$PWD/data/ports.dbf" "$work/empty.dbf" <<'PY'
import struct, sys
d = open(sys.argv[1], 'rb').read()
header = struct.unpack('<H', d[8:10])[0]
open(sys.argv[2], 'wb').write(d[:4] + struct.pack('<I', 0) + d[8:header] + b'\x1a')
PY
cp data/ports.tags "$work/empty.tags"
echo "== import of every shipped port into an empty table"
hyperfine -N -w 1 -r 10 --style basic \
  --prepare "sh -c 'cp $work/empty.dbf $work/p.dbf; cp $work/empty.tags $work/p.tags'" \
  "$new import $work/all.add --table $work/p.dbf" 2>/dev/null | grep -E "Time|±" || true
rm -rf "$work"
