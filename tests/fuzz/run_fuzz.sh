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
[ ${#targets[@]} -gt 0 ] || for binary in "$build"/tests/fuzz/fuzz_*; do
    [ -x "$binary" ] && targets+=("${binary##*/fuzz_}")
done

found=0
for target in "${targets[@]}"; do
    # Every target that reads a verse starts from the same verses and gets the Russian letters
    # and words as whole tokens to splice in; the others have seeds of their own kind.
    case $target in
    analyse | syllables | report | rhymes | melody | song | score) seeds=verse dict=-dict=$here/verse.dict ;;
    paste) seeds=paste dict=-dict=$here/verse.dict ;;
    *) seeds=$target dict= ;;
    esac
    work=$build/fuzz-corpus/$target artifacts=$build/fuzz-artifacts/$target
    log=$build/fuzz-logs/$target.log
    mkdir -p "$work" "$artifacts" "$(dirname "$log")"
    "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=16384 -print_final_stats=1 -artifact_prefix="$artifacts/" $dict \
        "$work" "$here/corpus/$seeds" >"$log" 2>&1
    if [ $? -eq 0 ]; then
        printf '%-12s %11s runs in %4s s (%s/s), corpus %s: nothing found\n' "$target" \
            "$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)" "$seconds" \
            "$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)" \
            "$(find "$work" -type f | wc -l)"
    else
        found=1
        printf '%-12s FOUND A FAULT; see %s\n' "$target" "$log"
        grep -E 'kvat fuzz: broken|ERROR: |runtime error' "$log" | head -5
    fi
done
exit $found
