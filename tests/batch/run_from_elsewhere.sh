#!/usr/bin/env bash
# scripts/run --export as a user runs it: from a folder of their own, with relative paths, which
# are theirs and not the project's.
#   run_from_elsewhere.sh BIN_DIR SAMPLES_DIR SCRATCH_DIR
set -u -o pipefail
bin=$1 samples=$2 scratch=$3
here=$(cd "$(dirname "$0")" && pwd)
project=$(cd "$here/../.." && pwd)
source "$here/../lib/check.sh"

rm -rf "$scratch"
mkdir -p "$scratch/build" "$scratch/work"
ln -s "$bin" "$scratch/build/bin" # the test build, run in a prefix of its own
cp -r "$samples" "$scratch/work/samples"
cd "$scratch/work"
status=0
PARTWRIGHT_RUN_BUILD=../build "$project/scripts/run" --export --out relout samples/Gearbox.iam \
    >run.out 2>run.err || status=$?
check "scripts/run --export from another folder exits 0" [ "$status" = 0 ]
check "the relative assembly is the caller's" grep -q '^Gearbox.iam: 17 occurrences' run.err
check "the relative --out is the caller's" test -s "$scratch/work/relout/Gearbox.xlsx"
check "nothing went into the project folder" test ! -e "$project/relout"

status=0
"$project/scripts/run" --headless --out >missing.out 2>missing.err || status=$?
check "--out without its folder is a usage error, said so" [ "$status" = 2 ]
check "in words" grep -qx -- "--out needs a folder" missing.err

[ "$failed" -eq 0 ] || cat run.err
summary "scripts/run from another folder"
