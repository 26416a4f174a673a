#!/usr/bin/env bash
# Installs the Debian packages Ondrel needs to build, test and run, only when some are missing.
set -euo pipefail
packages=(
  build-essential binutils cmake ninja-build pkg-config clang-format clang-tidy python3
  qt6-base-dev libqt6opengl6-dev qt6-charts-dev qt6-svg-dev qt6-tools-dev
  qt6-documentation-tools qt6-translations-l10n desktop-file-utils appstream
  libshp-dev libgtest-dev libgmock-dev libbenchmark-dev
  libical-dev poppler-utils tzdata
)
if [ "${1:-}" = "--list" ]; then
  echo "${packages[@]}"
  exit 0
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
