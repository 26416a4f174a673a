#!/usr/bin/env bash
# Runs clang-tidy with the project's .clang-tidy on the layers without Qt (engine and astro; about
# half a minute), or on the files given, with the build's compile_commands.json.
#   tools/check-tidy.sh [FILE.cpp...]
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/compile_commands.json ] || { echo "check-tidy: build first (tools/build.sh)"; exit 1; }
files=("$@")
[ ${#files[@]} -gt 0 ] || files=(src/engine/*.cpp src/astro/*.cpp)
out=$(clang-tidy -p build --quiet "${files[@]}" 2>&1 | grep -vE '^[0-9]+ warnings? generated\.$|^Suppressed|^Use -header-filter' || true)
if [ -n "$out" ]; then
  echo "$out"
  echo "check-tidy: findings above"
  exit 1
fi
echo "check-tidy: ${#files[@]} files pass .clang-tidy"
