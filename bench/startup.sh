#!/usr/bin/env bash
# Cold start to the first painted main window, with the large generated data
# folder, against an empty Qt window measured the same way in the same run.
# Each program prints the wall-clock time of its first picture and leaves at
# once; what is timed is launch to picture, without the process's exit.
# The two are run in turn, so that a change in the machine's load falls on
# both alike.
# usage: bench/startup.sh BUILD_DIR [RUNS]
# Under X (say `QT_QPA_PLATFORM=xcb xvfb-run -a bench/startup.sh build`) it
# measures a real window; without a display it uses Qt's offscreen platform.
set -euo pipefail
build=${1:-build}
runs=${2:-15}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/quillmere-gendata" "$work/data" > /dev/null
printf '[SETTINGS]\r\nShowSprash=0\r\nShowScheduleOnStartUp=0\r\nDataFolder=%s/data/\r\n' "$work" > "$work/data/settings.cnf"

once() { # command... -> milliseconds from launch to the first picture
  local t0 out
  t0=${EPOCHREALTIME/,/.} # the locale may write a decimal comma
  out=$("$@" 2> /dev/null | sed -n 's/^first paint at //p')
  [ -n "$out" ] || { echo "no first paint from $1" >&2; exit 1; }
  awk -v a="$t0" -v b="$out" 'BEGIN { printf "%d\n", (b - a) * 1000 + 0.5 }'
}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
empty=() text=() full=()
for _ in $(seq "$runs"); do
  empty+=("$(once "$build/bench/bench_emptywindow")")
  text+=("$(once "$build/bench/bench_emptywindow" --text)")
  full+=("$(QUILLMERE_HOME="$work/data" QUILLMERE_EXIT_AFTER_FIRST_PAINT=1 once "$build/app/quillmere")")
done
e=$(printf '%s\n' "${empty[@]}" | median)
t=$(printf '%s\n' "${text[@]}" | median)
f=$(printf '%s\n' "${full[@]}" | median)
echo "platform: $QT_QPA_PLATFORM"
echo "empty Qt window: ${e} ms (median of $runs: ${empty[*]})"
echo "quillmere, large data folder: ${f} ms (median of $runs: ${full[*]})"
awk -v f="$f" -v e="$e" 'BEGIN { printf "ratio: %.2f\n", f / e }'
# For comparison only: the same window with two lines of Japanese text.
echo "Qt window with two lines of Japanese text: ${t} ms (median of $runs: ${text[*]})"
awk -v f="$f" -v t="$t" 'BEGIN { printf "ratio to it: %.2f\n", f / t }'
