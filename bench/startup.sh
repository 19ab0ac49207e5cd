#!/usr/bin/env bash
# Cold start to the first painted main window, with the large generated data
# folder, against an empty Qt window measured the same way in the same run.
# usage: bench/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/quillmere-gendata" "$work/data" > /dev/null
printf '[SETTINGS]\r\nShowSprash=0\r\nShowScheduleOnStartUp=0\r\nDataFolder=%s/data/\r\n' "$work" > "$work/data/settings.cnf"

measure() { # command... -> median milliseconds
  local times=()
  for _ in $(seq "$runs"); do
    local t0 t1
    t0=$(date +%s%N)
    "$@" > /dev/null 2>&1
    t1=$(date +%s%N)
    times+=($(( (t1 - t0) / 1000000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'
}

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
empty=$(measure "$build/bench/bench_emptywindow")
full=$(QUILLMERE_HOME="$work/data" QUILLMERE_EXIT_AFTER_FIRST_PAINT=1 measure "$build/app/quillmere")
echo "empty Qt window: ${empty} ms (median of $runs)"
echo "quillmere, large data folder: ${full} ms (median of $runs)"
awk -v f="$full" -v e="$empty" 'BEGIN { printf "ratio: %.2f\n", f / e }'
