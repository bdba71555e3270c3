#!/usr/bin/env bash
# Measures how long the programs take to start, so that a change that slows
# them is seen: the median wall time of repeated runs of
#   veloxa-cli run (the documented design job: balance, design window, the
#   eleventh model, design), and
#   veloxa from launch until its main window is mapped (under Xvfb), with its
#   resident memory once it stands idle.
# Prints the figures; it passes or fails nothing (a busy machine is slow).
#
#   tools/startup-budget.sh [BUILD_DIR] [RUNS]     (default build, 9 runs)
set -uo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
runs="${2:-9}"
cli="$build/veloxa-cli"
gui="$build/veloxa"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

median() { sort -n | awk '{v[NR] = $1} END {if (NR) printf "%.1f", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
# The shell's own clock, read without starting a process: starting `date`
# takes about as long as the command line's whole job.
ms_between() { awk -v a="${1/,/.}" -v b="${2/,/.}" 'BEGIN {printf "%.3f\n", (b - a) * 1000}'; }

echo "startup budget ($runs runs, load $(cut -d' ' -f1-3 /proc/loadavg)):"
cp -r "$build/data" "$work/data"
if [ -x "$cli" ]; then
  for _ in $(seq "$runs"); do
    start=$EPOCHREALTIME
    "$cli" run tools/design-job.json --data-dir "$work/data" >/dev/null
    end=$EPOCHREALTIME
    ms_between "$start" "$end"
  done | median | xargs printf "  veloxa-cli run (design job): %s ms median wall\n"
fi

if [ -x "$gui" ] && command -v Xvfb >/dev/null && command -v xdotool >/dev/null; then
  display=":$((100 + RANDOM % 800))"
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  # The server takes a moment to accept clients; a program started before
  # that aborts.
  for _ in $(seq 100); do
    DISPLAY="$display" xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
  done
  for _ in $(seq "$runs"); do
    start=$EPOCHREALTIME
    DISPLAY="$display" QT_QPA_PLATFORM=xcb "$gui" --data-dir "$work/data" >/dev/null 2>&1 &
    pid=$!
    # Polled, but never for longer than 20 s: a window that does not show
    # is a figure too.
    deadline=$(( $(date +%s) + 20 ))
    until DISPLAY="$display" xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
      kill -0 "$pid" 2>/dev/null || break
      [ "$(date +%s)" -lt "$deadline" ] || break
      sleep 0.005
    done
    end=$EPOCHREALTIME
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    ms_between "$start" "$end"
  done | median | xargs printf "  veloxa to its main window: %s ms median wall\n"
  # The memory of the last run, standing idle a second after its window showed.
  DISPLAY="$display" QT_QPA_PLATFORM=xcb "$gui" --data-dir "$work/data" >/dev/null 2>&1 &
  pid=$!
  sleep 2
  awk '/VmRSS/ {printf "  veloxa idle: %.1f MB resident\n", $2 / 1024}' "/proc/$pid/status" 2>/dev/null
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
fi
exit 0
