#!/bin/sh
# The whole test suite again, built with AddressSanitizer and
# UndefinedBehaviorSanitizer; the programs the tests start are built the same
# way. Any report fails the step, also one from a child process whose
# standard error a test does not show: AddressSanitizer writes its reports to
# files as well, and every report of either sanitizer stops the process that
# made it with a failure status (undefined behaviour is not recovered from).
set -eu
cd "$(dirname "$0")/../.."

BUILD=build-asan
CXX_FOR_SANITIZERS=${CXX_FOR_SANITIZERS:-g++}
SAN_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g -O1 -D_GLIBCXX_ASSERTIONS"
REPORTS=$PWD/$BUILD/sanitizer-reports

start=$(date +%s)
# Debug adds only -g, so the -O1 above is what the code is compiled with.
cmake -S . -B "$BUILD" \
  -DCMAKE_CXX_COMPILER="$CXX_FOR_SANITIZERS" \
  -DCMAKE_BUILD_TYPE=Debug \
  -DORVCALC_WERROR=ON \
  -DCMAKE_CXX_FLAGS="$SAN_FLAGS" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build "$BUILD" -j 2
echo "sanitizer build: $(( $(date +%s) - start )) s"

rm -rf "$REPORTS"
mkdir -p "$REPORTS"
ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1:abort_on_error=1:log_path=$REPORTS/asan"
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:abort_on_error=1"
export ASAN_OPTIONS UBSAN_OPTIONS

status=0
ctest --test-dir "$BUILD" --output-on-failure -j 2 >"$BUILD/ctest.log" 2>&1 || status=$?
# The summary and every failure with its output.
sed -n '/tests passed\|Failed\|\*\*\*\|runtime error:\|Sanitizer/p' "$BUILD/ctest.log" | head -n 200

if [ -n "$(ls -A "$REPORTS")" ]; then
  for report in "$REPORTS"/*; do
    echo "--- $report"
    cat "$report"
  done
  echo "sanitizers: AddressSanitizer reports found" >&2
  status=1
fi
if grep -q 'runtime error:\|ERROR: AddressSanitizer\|ERROR: LeakSanitizer' "$BUILD/ctest.log"; then
  echo "sanitizers: reports in the test output" >&2
  status=1
fi
echo "sanitizers: $(( $(date +%s) - start )) s"
exit "$status"
