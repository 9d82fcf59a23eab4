#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for the given number of
# seconds (default 600), one after the other, starting from the committed
# seed corpus in fuzz/corpus/<target>. New inputs found go to
# <build>/corpus/<target>, crashes to <build>/crashes/<target>/. Prints the
# executions of every target; fails when any target finds a crash.
#   fuzz/run.sh [seconds] [target...]     (targets: see FUZZ_TARGETS below)
# SETTLESLIP_FUZZ_BUILD names the build folder (default build-fuzz).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
shift || true
build=${SETTLESLIP_FUZZ_BUILD:-$top/build-fuzz}

all=(coordinate_file str_to_float number_texts declaration_date)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all[@]}")

cmake -S "$top/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz_}" >/dev/null

# The coordinate file may have long lines; the other inputs are short texts.
declare -A max_len=([coordinate_file]=16384)

failed=0
printf '%-18s %12s %8s  %s\n' target executions seconds result
for target in "${targets[@]}"; do
    work=$build/corpus/$target crashes=$build/crashes/$target
    mkdir -p "$work" "$crashes"
    log=$build/$target.log
    status=0
    (cd "$build" && ASAN_OPTIONS=abort_on_error=1 "./fuzz_$target" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len="${max_len[$target]:-4096}" -print_final_stats=1 \
        -artifact_prefix="$crashes/" "$work" "$top/fuzz/corpus/$target") >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    result=clean
    if [ "$status" -ne 0 ]; then
        result="FAILED (exit $status): see $log and $crashes"
        failed=1
    fi
    printf '%-18s %12s %8s  %s\n' "$target" "${runs:-?}" "$seconds" "$result"
done
exit "$failed"
