#!/usr/bin/env bash
# Times the desktop program as a whole process on a virtual X display (Xvfb): from its start to
# its main window on the screen (polled with xdotool), and its memory once idle (VmRSS 1.5 s later,
# the safety warning shown), for this build, a one-window Qt program (the floor) and, given a
# second ondrel, side by side with it:
#   tools/bench-desktop.sh [OTHER-ONDREL] [RUNS]
# Medians of RUNS starts (15 unless given); comparable only on a quiet machine.
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in Xvfb:xvfb xdotool:xdotool; do
  command -v "${tool%%:*}" >/dev/null || { apt-get update -qq && apt-get install -y -qq "${tool#*:}"; }
done
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
# The floor: a Qt program that shows one empty main window.
cat > "$work/one.cpp" <<'CPP'
#include <QApplication>
#include <QMainWindow>
int main(int c, char** v) { QApplication a(c, v); QMainWindow w; w.setWindowTitle("Ondrel"); w.show(); return a.exec(); }
CPP
g++ -O2 -fPIC "$work/one.cpp" -o "$work/one" $(pkg-config --cflags --libs Qt6Widgets)

measure() {
  local program=$1 times=() rss=()
  for _ in $(seq "$runs"); do
    local t0 pid
    t0=$(date +%s%N)
    "$program" >/dev/null 2>&1 & pid=$!
    until xdotool search --onlyvisible --pid "$pid" --name Ondrel >/dev/null 2>&1; do
      sleep 0.003
      (( $(date +%s%N) - t0 > 10000000000 )) && break
    done
    local shown=$(( ($(date +%s%N) - t0) / 1000000 ))
    sleep 1.5
    # A start that failed (the display refused a connection now and then) is left out.
    local resident
    resident=$(awk '/VmRSS/{print $2}' "/proc/$pid/status" 2>/dev/null || true)
    if [ -n "$resident" ]; then
      times+=("$shown")
      rss+=("$resident")
    fi
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  local t r
  t=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END{print a[int((NR+1)/2)], "(" a[1] "-" a[NR] ")"}')
  r=$(printf '%s\n' "${rss[@]}" | sort -n | awk '{a[NR]=$1} END{printf "%.1f", a[int((NR+1)/2)]/1024}')
  echo "$program: start to first window $t ms, idle memory $r MB"
}
measure "$PWD/build/src/app/ondrel"
measure "$work/one"
[ $# -gt 0 ] && measure "$1"
