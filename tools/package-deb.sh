#!/usr/bin/env bash
# Builds the Debian package of Ondrel from the default build and checks it:
#   tools/package-deb.sh            build/ondrel_<version>_<arch>.deb, then lintian (no errors)
#   tools/package-deb.sh --install  the same, then dpkg -i, `ondrel-cli day BREST` from /usr/bin in
#                                   both models and in legal time (the harmonic data installed
#                                   beside the table), and dpkg -r (root only: it changes the
#                                   machine's packages)
# Needs lintian (apt-get install lintian) besides what tools/install-deps.sh installs.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
command -v lintian >/dev/null || { apt-get update -qq && apt-get install -y -qq lintian; }
rm -f build/ondrel_*.deb
(cd build && cpack -G DEB >/dev/null)
deb=$(ls build/ondrel_*.deb)
echo "== $deb"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'
# Errors fail the check; warnings are shown.
lintian --fail-on error "$deb"
if [ "${1:-}" = "--install" ]; then
  apt-get install -y -qq "./$deb" >/dev/null
  trap 'dpkg -r ondrel >/dev/null' EXIT
  home=$(mktemp -d) # the first use copies the table into the home: not the real one
  for options in "" "--model full" "--ref legal"; do
    # shellcheck disable=SC2086 # the options are words
    out=$(cd "$home" && HOME="$home" XDG_DATA_HOME="$home/data" \
      /usr/bin/ondrel-cli day BREST --date 2026-12-07 $options 2>"$home/err")
    echo "$out"
    grep -q "^Pleine mer" <<<"$out"
    # A model or a zone that is not found is said on standard error.
    if [ -s "$home/err" ]; then cat "$home/err"; exit 1; fi
  done
  rm -rf "$home"
  test -f /usr/share/man/man1/ondrel.1.gz -a -f /usr/share/ondrel/help/ondrel.qhc
  test -f /usr/share/ondrel/harmonics.bin
  echo "installed and ran: ok"
fi
