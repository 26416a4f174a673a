#!/usr/bin/env bash
# Proves that tools/install-deps.sh installs everything the build read: every system header
# (ninja's dependency log), CMake package file and pkg-config file must belong to a Debian
# package that the script installs or that one of those depends on. Run after a build; fails with
# the name of each package the script misses.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[ -f "$build/build.ninja" ] || { echo "check-deps: no build in $build" >&2; exit 1; }

# What the build read from the system.
read_files=$(mktemp)
trap 'rm -f "$read_files" "$read_files".*' EXIT
{
    ninja -C "$build" -t deps 2>/dev/null | sed -n 's/^    \(\/usr\/.*\)/\1/p'
    sed -n 's/^[A-Za-z0-9_]*_DIR:PATH=\(\/usr\/.*\)/\1/p' "$build/CMakeCache.txt" |
        while read -r dir; do find "$dir" -maxdepth 1 -name '*.cmake'; done
    pkg-config --path shapelib
} | xargs -r realpath -e 2>/dev/null | sort -u >"$read_files"

# Which package each belongs to, from dpkg's file lists in one pass.
grep -F -x -H -f "$read_files" /var/lib/dpkg/info/*.list |
    sed 's|^/var/lib/dpkg/info/||; s|\.list:.*||; s|:.*||' | sort -u >"$read_files.owners"
# Files no package owns (built locally, or reached through a symlinked path) are not checked.

# The script's packages and everything they depend on (pre-depends and depends, recursively).
declare -A closure=() providers=()
while read -r package provided; do
    for v in $(echo "$provided" | tr ',' '\n' | sed 's/(.*)//; s/ //g'); do
        providers[$v]="${providers[$v]:-} $package"
    done
done < <(dpkg-query -W -f='${Package} ${Provides}\n' | awk 'NF > 1')
queue=($(tools/install-deps.sh --list))
while [ ${#queue[@]} -gt 0 ]; do
    p=${queue[0]}
    queue=("${queue[@]:1}")
    [ -n "${closure[$p]:-}" ] && continue
    closure[$p]=1
    deps=$(dpkg-query -W -f='${Pre-Depends}, ${Depends}' "$p" 2>/dev/null || true)
    for d in $(echo "$deps" | tr ',|' '\n\n' | sed 's/(.*)//; s/:any//; s/ //g' | grep -v '^$'); do
        [ -z "${closure[$d]:-}" ] && queue+=("$d")
        # A virtual package counts through whatever installed package provides it.
        for provider in ${providers[$d]:-}; do
            [ -z "${closure[$provider]:-}" ] && queue+=("$provider")
        done
    done
done

missing=()
while read -r owner; do
    [ -z "${closure[$owner]:-}" ] && missing+=("$owner")
done <"$read_files.owners"

if [ ${#missing[@]} -gt 0 ]; then
    echo "check-deps: the build reads files of packages tools/install-deps.sh does not install: ${missing[*]}" >&2
    exit 1
fi
echo "check-deps: $(wc -l <"$read_files") system files read, all from the installed packages' closure"
