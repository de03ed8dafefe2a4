#!/bin/sh
# Runs every libFuzzer target of a BRENNOMIX_FUZZ build for SECONDS each,
# one after another, starting from the seed corpus in fuzz/corpus/<target>.
# New inputs go to <build>/fuzz-corpus, findings to <build>/fuzz-findings;
# fails at the first target that finds anything.
# Usage: scripts/fuzz.sh BUILD_DIR SECONDS
set -eu
build=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
# The targets write files as the program does; a memory-backed folder keeps
# their syncs cheap.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then TMPDIR=/dev/shm; export TMPDIR; fi
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for fuzzer in "$build"/fuzz/fuzz_*; do
    [ -f "$fuzzer" ] && [ -x "$fuzzer" ] || continue
    name=${fuzzer##*/fuzz_}
    work="$build/fuzz-corpus/$name"
    findings="$build/fuzz-findings"
    mkdir -p "$work" "$findings"
    echo "== fuzz_$name for ${seconds}s"
    if ! "$fuzzer" -max_total_time="$seconds" -timeout=20 -print_final_stats=0 \
        -artifact_prefix="$findings/$name-" "$work" "$root/fuzz/corpus/$name" \
        >"$build/fuzz-$name.log" 2>&1; then
        tail -n 40 "$build/fuzz-$name.log" >&2
        echo "fuzz_$name found a fault; the input is in $findings" >&2
        exit 1
    fi
    tail -n 1 "$build/fuzz-$name.log"
done
