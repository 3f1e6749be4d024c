#!/usr/bin/env bash
# Runs fuzz targets of a fuzz build for a set time each and says what each did.
# Usage: run_fuzz.sh BUILD_DIR SECONDS [TARGET...]   (no target: all of them)
# A target starts from its seeds (corpus/<seeds>/, read only) and the inputs earlier runs found
# (BUILD_DIR/fuzz-corpus/<target>/); anything that breaks a target is kept in
# BUILD_DIR/fuzz-artifacts/. The status is 1 when any target found something.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1 seconds=$2
shift 2
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for binary in "$build"/tests/fuzz/fuzz_*; do
        [ -x "$binary" ] && targets+=("$(basename "$binary" | sed 's/^fuzz_//')")
    done
fi

# Every target that reads a verse starts from the same verses; the others have seeds of
# their own kind.
seeds_of() {
    case $1 in
    analyse | syllables | report | melody_* | score) echo verse ;;
    *) echo "$1" ;;
    esac
}
# Text targets get the Russian letters and words as whole tokens to splice in.
dictionary_of() {
    case $1 in
    utf8 | midi_file | arrangement) ;;
    *) echo "-dict=$here/verse.dict" ;;
    esac
}

found=0
for target in "${targets[@]}"; do
    binary=$build/tests/fuzz/fuzz_$target
    work=$build/fuzz-corpus/$target
    artifacts=$build/fuzz-artifacts/$target
    log=$build/fuzz-logs/$target.log
    mkdir -p "$work" "$artifacts" "$(dirname "$log")"
    "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" $(dictionary_of "$target") \
        "$work" "$here/corpus/$(seeds_of "$target")" >"$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    corpus=$(find "$work" -type f | wc -l)
    if [ $status -eq 0 ]; then
        printf '%-12s %11s runs in %4s s (%s/s), corpus %s: nothing found\n' \
            "$target" "${runs:-?}" "$seconds" "${speed:-?}" "$corpus"
    else
        found=1
        printf '%-12s FOUND A FAULT (status %s); see %s\n' "$target" "$status" "$log"
        grep -E 'kvat fuzz: broken|ERROR: |runtime error' "$log" | head -5
    fi
done
exit $found
