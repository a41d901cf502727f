#!/bin/sh
# Builds the libFuzzer targets with clang, replays each seed corpus, then
# fuzzes each target for a bounded time. Any crash, sanitizer report, failed
# check, leak or hang (an input running over 10 s) fails the step; libFuzzer
# leaves the input that did it in build-fuzz/artifacts/, and that input
# belongs in fuzz/corpus/<target>/ once the fault is fixed.
# FUZZ_SECONDS sets the time per target (60 by default).
set -eu
cd "$(dirname "$0")/../.."

BUILD=build-fuzz
SECONDS_EACH=${FUZZ_SECONDS:-60}
start=$(date +%s)

# Configured as .ci/steps/50-soak.sh does, which builds the program here
# (dynamic, for valgrind) as well.
cmake -S . -B "$BUILD" \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DORVCALC_FUZZ=ON \
  -DORVCALC_TESTS=OFF \
  -DORVCALC_WERROR=ON \
  -DORVCALC_STATIC=OFF
cmake --build "$BUILD" -j 2 --target number_reader_fuzz key_decoder_fuzz session_fuzz
echo "fuzz build: $(( $(date +%s) - start )) s"

mkdir -p "$BUILD/artifacts"
for target in number_reader key_decoder session; do
  binary=$BUILD/fuzz/${target}_fuzz
  seeds=fuzz/corpus/$target
  # New inputs the fuzzer finds go to a scratch corpus, kept between runs;
  # the seeds in the repository are only read.
  scratch=$BUILD/corpus/$target
  log=$BUILD/$target.log
  mkdir -p "$scratch"
  case $target in
    number_reader) max_len=12000 ;;  # room for a 10,000-character line
    *) max_len=4096 ;;
  esac

  echo "--- $target: replaying $(ls "$seeds" | wc -l) seeds"
  "$binary" -timeout=10 "$seeds"/* >"$log" 2>&1 || { cat "$log"; exit 1; }

  echo "--- $target: fuzzing for $SECONDS_EACH s"
  if ! "$binary" -max_total_time="$SECONDS_EACH" -timeout=10 -max_len="$max_len" \
      -print_final_stats=1 -artifact_prefix="$BUILD/artifacts/$target-" \
      "$scratch" "$seeds" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "$target: fault found; the input is in $BUILD/artifacts/" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "$target: $runs executions in $SECONDS_EACH s, corpus $(ls "$scratch" | wc -l) inputs"
done
echo "fuzzing: $(( $(date +%s) - start )) s"
