#!/usr/bin/env bash
# Times partwright-export over several assemblies with one worker and with more, inside one Wine
# session (scripts/bench --batch-jobs), and the peak memory of its largest process.
#   jobs_timing.sh WINE_RUN PREFIX EXPORTER RUNS JOBS ASSEMBLY...
# For each --jobs value: the median of RUNS runs of the whole run's seconds, and the largest
# resident size any one partwright-export process reached in those runs (a worker's, or the one
# process's with --jobs 1).
set -euo pipefail
source "$(dirname "$0")/../scripts/lib/wine.sh"
wine_run=$1 prefix=$2 exporter=$3 runs=$4 jobs=$5
shift 5
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
assemblies=()
for assembly in "$@"; do assemblies+=("$(windows_path "$assembly")"); done
peak_file=$(mktemp)
# The largest resident size (KiB) of any one exporter process, sampled until told to stop.
watch_memory() {
    local peak=0 size
    while [ ! -e "$peak_file.stop" ]; do
        for size in $(ps -eo rss=,args= | awk '/partwright-export/ && !/awk/ { print $1 }'); do
            [ "$size" -gt "$peak" ] && peak=$size
        done
        sleep 0.1
    done
    echo "$peak" >"$peak_file"
}
printf '%-6s %12s %16s\n' jobs 'seconds' 'peak (MiB)'
for n in 1 $jobs; do
    seconds=() peak=0
    for _ in $(seq "$runs"); do
        rm -f "$peak_file.stop"
        watch_memory &
        watcher=$!
        start=$(date +%s.%N)
        "$wine_run" "$prefix" "$exporter" --jobs "$n" --force "${assemblies[@]}" >/dev/null 2>&1
        end=$(date +%s.%N)
        touch "$peak_file.stop"
        wait "$watcher"
        seconds+=("$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')")
        [ "$(cat "$peak_file")" -gt "$peak" ] && peak=$(cat "$peak_file")
    done
    printf '%-6s %12.2f %16.1f\n' "$n" "$(printf '%s\n' "${seconds[@]}" | median)" \
        "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')"
done
rm -f "$peak_file" "$peak_file.stop"
