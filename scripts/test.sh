#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$top/build

"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" "$build"

export QT_QPA_PLATFORM=offscreen

# Printing goes to a private spooler whose default queue keeps each job as a
# PDF in $SLIP_CAPTURE_DIR; it is stopped however the tests end.
spool=$(mktemp -d /tmp/settleslip-spool.XXXXXX)
spooler=("$top/scripts/print-spooler.sh")
[ "$(id -u)" -eq 0 ] || spooler=(sudo "${spooler[@]}")
trap '"${spooler[@]}" stop "$spool/state"; rm -rf "$spool"' EXIT
server=$("${spooler[@]}" start "$spool/state" "$spool/jobs" | sed -n 's/^CUPS_SERVER=//p')
export CUPS_SERVER=$server SLIP_CAPTURE_DIR=$spool/jobs
unset PRINTER LPDEST

# Tests labelled known-fault show a fault that is not mended yet; they run
# with `ctest -L known-fault`.
(cd "$build" && ctest --output-on-failure -j"$(nproc)" --timeout 600 -LE known-fault)

# The logic tests again, built with AddressSanitizer and UBSan: the tests of
# the slip, the coordinate file, the print layout and the record values and
# ledger. The tests through the office, the window and the end-to-end tests
# are left out to keep the whole run short; run by hand in a sanitizer build
# with the same options and suppressions, they pass too. The UNO runtime's lasting type data and its run-time proxies are the
# only findings suppressed; see scripts/sanitizer-suppressions.
sanitized=$top/build-asan
suppressions=$top/scripts/sanitizer-suppressions
sanitized_tests=(slip/slip_tests printing/printing_tests printing/print_tests
                 records/records_tests)
cmake -S "$top" -B "$sanitized" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSETTLESLIP_SANITIZE=ON -DSETTLESLIP_BENCH=OFF >/dev/null
cmake --build "$sanitized" -j"$(nproc)" --target "${sanitized_tests[@]##*/}"
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:check_initialization_order=1
export LSAN_OPTIONS=suppressions=$suppressions/lsan.supp
export UBSAN_OPTIONS=suppressions=$suppressions/ubsan.supp:print_stacktrace=1
for test in "${sanitized_tests[@]}"; do
    echo "== $test (AddressSanitizer, UBSan)"
    "$sanitized/tests/$test" --gtest_brief=1
done
unset ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS

# A short run of every fuzz target from its seed corpus.
"$top/fuzz/run.sh" 5
