#!/usr/bin/env bash
# Times the desktop program as a whole process on a virtual X display (Xvfb): from its start to
# its main window on the screen, and its memory once idle (VmRSS 1.5 s later, the safety warning
# shown; MB of 1,000 kB, as the command-line program's figures are given), for this build, a
# one-window Qt program (the floor) and, given a second ondrel, side by side with it:
#   tools/bench-desktop.sh [OTHER-ONDREL] [RUNS]
# Medians of RUNS starts of each program, taken in turn (15 unless given); comparable only on a
# quiet machine. The window is seen by tools/bench/MapWatch.cpp, which waits for the display's
# map event: nothing polls the display while a program starts.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v Xvfb >/dev/null || { apt-get update -qq && apt-get install -y -qq xvfb; }
pkg-config --exists xcb || { apt-get update -qq && apt-get install -y -qq libxcb1-dev; }
runs=${2:-15}
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=:$((90 + RANDOM % 100))
Xvfb "$DISPLAY" -screen 0 1600x1000x24 >/dev/null 2>&1 & xvfb=$!
sleep 1
# A program started before: its language is known, so no question stops the start.
export HOME=$work XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_CONFIG_HOME"
printf '[General]\nlangue=FRANCAIS\n' > "$XDG_CONFIG_HOME/Ondrel.conf"
g++ -O2 -std=c++20 tools/bench/MapWatch.cpp -o "$work/map-watch" $(pkg-config --cflags --libs xcb)
# The floor: a Qt program that shows one empty main window.
cat > "$work/one.cpp" <<'CPP'
#include <QApplication>
#include <QMainWindow>
int main(int c, char** v) { QApplication a(c, v); QMainWindow w; w.setWindowTitle("Ondrel"); w.show(); return a.exec(); }
CPP
g++ -O2 -fPIC "$work/one.cpp" -o "$work/one" $(pkg-config --cflags --libs Qt6Widgets)

programs=("$PWD/build/src/app/ondrel" "$work/one")
[ -n "${1:-}" ] && programs+=("$1")
for _ in $(seq "$runs"); do
  for i in "${!programs[@]}"; do
    # A start that failed (the display refused a connection now and then) is left out.
    "$work/map-watch" "${programs[$i]}" 2>/dev/null >> "$work/figures.$i" || true
  done
done
median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)], v[1], v[NR], NR}'; }
for i in "${!programs[@]}"; do
  read -r shown fastest slowest starts < <(cut -d' ' -f1 "$work/figures.$i" | median)
  read -r resident _ < <(cut -d' ' -f2 "$work/figures.$i" | median)
  printf '%s: start to first window %.0f (%.0f-%.0f) ms, idle memory %.1f MB (%d kB), %d starts\n' \
    "${programs[$i]}" "$shown" "$fastest" "$slowest" \
    "$(awk -v r="$resident" 'BEGIN {print r / 1000}')" "$resident" "$starts"
done
