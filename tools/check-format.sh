#!/usr/bin/env bash
# Fails when a C++ file of the project does not follow .clang-format; with --fix, formats them.
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
    clang-format -i $files
    exit 0
fi
if ! clang-format --dry-run --Werror $files 2>/tmp/ondrel-format.$$; then
    grep -oE '^[^ :]+\.(cpp|h):[0-9]+:[0-9]+: (error|warning)' /tmp/ondrel-format.$$ | cut -d: -f1 |
        sort -u | sed 's/^/  /' >&2
    rm -f /tmp/ondrel-format.$$
    echo "check-format: these files do not follow .clang-format (tools/check-format.sh --fix)" >&2
    exit 1
fi
rm -f /tmp/ondrel-format.$$
echo "check-format: $(echo "$files" | wc -l) files follow .clang-format"
