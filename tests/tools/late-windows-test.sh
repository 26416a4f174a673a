#!/usr/bin/env bash
# The desktop program and the module of its late windows fit: the module is where the program
# looks for it (../lib/ondrel/modules beside the program), and every function it needs is either lent by
# the program or found in the libraries the module names. A missing one would refuse the module
# the first time a sailor opens the curve or the help.
#   late-windows-test.sh PROGRAM
set -euo pipefail
program=$1
module=$(dirname "$program")/../lib/ondrel/modules/ondrel-late-windows.so
[ -f "$module" ] || { echo "no module at $module"; exit 1; }
unversioned() { sed 's/@.*//' | sort -u; }
needed=$(nm -D --undefined-only "$module" | awk '$1 == "U" {print $2}' | unversioned)
lent=$({
  nm -D --defined-only "$program"
  for library in $(ldd "$module" | awk '$2 == "=>" && $3 ~ /^\// {print $3}'); do
    nm -D --defined-only "$library"
  done
} | awk 'NF == 3 {print $3}' | unversioned)
missing=$(comm -23 <(echo "$needed") <(echo "$lent"))
if [ -n "$missing" ]; then
  echo "the module needs what neither the program nor its libraries give:"
  echo "$missing" | c++filt
  exit 1
fi
nm -D --defined-only "$module" | grep -qw ondrel_late_windows || { echo "no entry point"; exit 1; }
# The program itself links neither library the module holds back.
if readelf -d "$program" | grep -E 'NEEDED.*(Qt6Charts|Qt6Help)'; then
  echo "the program links a library of the late windows"
  exit 1
fi
echo "late windows: $(echo "$needed" | wc -l) functions needed, all found"
