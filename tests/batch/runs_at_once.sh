#!/usr/bin/env bash
# The README's commands started at once, as a user with two terminals starts them: the window's
# headless run and two batch exports share the build's Wine prefix, each writes its files and
# exits 0; a run whose program is ended from outside exits non-zero.
#   runs_at_once.sh BIN_DIR SAMPLES_DIR SCRATCH_DIR
set -u -o pipefail
bin=$1 samples=$2 scratch=$3
here=$(cd "$(dirname "$0")" && pwd)
project=$(cd "$here/../.." && pwd)
source "$here/../lib/check.sh"

rm -rf "$scratch"
mkdir -p "$scratch/build"
ln -s "$bin" "$scratch/build/bin" # the test build, run in a prefix of its own
export PARTWRIGHT_RUN_BUILD="$scratch/build"
run="$project/scripts/run"

for round in 1 2 3; do
    out="$scratch/round-$round"
    mkdir -p "$out"
    "$run" --headless --out "$out/window" "$samples/Gearbox.iam" >"$out/window.log" 2>&1 &
    window=$!
    "$run" --export --out "$out/gearbox" "$samples/Gearbox.iam" >"$out/gearbox.log" 2>&1 &
    gearbox=$!
    "$run" --export --out "$out/conveyor" "$samples/Conveyor/Conveyor.iam" \
        >"$out/conveyor.log" 2>&1 &
    conveyor=$!
    wait "$window"
    check "round $round: the headless run exits 0" [ $? = 0 ]
    wait "$gearbox"
    check "round $round: the Gearbox export exits 0" [ $? = 0 ]
    wait "$conveyor"
    check "round $round: the Conveyor export exits 0" [ $? = 0 ]
    check "round $round: the window's workbook" test -s "$out/window/Book1.xlsx"
    check "round $round: the window's screenshot" test -s "$out/window/window.png"
    check "round $round: the Gearbox workbook" test -s "$out/gearbox/Gearbox.xlsx"
    check "round $round: the Conveyor workbook" test -s "$out/conveyor/Conveyor.xlsx"
    if [ "$failed" -ne 0 ]; then
        tail -n 5 "$out"/*.log
        break
    fi
done

# An export long enough to be ended from outside while it runs.
python3 "$project/bench/make_assembly.py" "$scratch/large" 2000 >/dev/null
"$run" --export --out "$scratch/killed" "$scratch/large/Top.iam" >"$scratch/killed.log" 2>&1 &
export_run=$!
for _ in $(seq 300); do
    pkill -KILL -x partwright-expo && break # the Windows program alone, by its process name
    sleep 0.1
done
wait "$export_run"
status=$?
check "a run whose program was ended exits non-zero" [ "$status" != 0 ]
check "and writes no workbook" test ! -e "$scratch/killed/Top.xlsx"

summary "README's commands at once"
