#!/bin/sh
# A long scripted session of the program with no terminal: 100,000 random
# keys and lines (fuzz/soak_input.py), run
# - as built for use (build/orvcalc from `make test`, or ORVCALC_PROGRAM);
# - built with AddressSanitizer and UndefinedBehaviorSanitizer
#   (build-asan/orvcalc from .ci/steps/20-sanitizers.sh);
# - under valgrind's memcheck, which also sees reads of uninitialised
#   memory. The program as built for use is static, and memcheck cannot
#   follow the heap of a static program, so a dynamic build is made for it
#   in build-fuzz (configured as .ci/steps/40-fuzz.sh does).
# Each run must report nothing, read its input to the end and exit with
# status 0 there. Then the memory of the program must not depend on the
# length of the session: the peak of a 100-key session and of the
# 100,000-key one are compared.
set -eu
cd "$(dirname "$0")/../.."

PROGRAM=${ORVCALC_PROGRAM:-build/orvcalc}
SANITIZED=build-asan/orvcalc
DYNAMIC=build-fuzz/orvcalc
KEYS=${SOAK_KEYS:-100000}
SEED=${SOAK_SEED:-1}
for tool in valgrind /usr/bin/time setsid python3 clang++; do
  command -v "$tool" >/dev/null || { echo "soak: $tool is missing" >&2; exit 1; }
done
if [ ! -x "$PROGRAM" ]; then
  echo "soak: $PROGRAM is missing; build the program first (make build)" >&2
  exit 1
fi
if [ ! -x "$SANITIZED" ]; then
  echo "soak: $SANITIZED is missing; run .ci/steps/20-sanitizers.sh first" >&2
  exit 1
fi

start=$(date +%s)
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DORVCALC_FUZZ=ON -DORVCALC_TESTS=OFF \
  -DORVCALC_WERROR=ON -DORVCALC_STATIC=OFF >/dev/null
cmake --build build-fuzz -j 2 --target orvcalc >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 fuzz/soak_input.py 100 "$SEED" >"$work/short"
python3 fuzz/soak_input.py "$KEYS" "$SEED" >"$work/long"
long_size=$(wc -c <"$work/long")

# Runs the long session with the given command ($1: a name for the
# messages). The input is opened here so that afterwards its offset shows how
# far the program read: to the end, not to a quit halfway. Anything on
# standard error is a report.
soak_run() {
  name=$1
  shift
  exec 3<"$work/long"
  status=0
  setsid -w "$@" <&3 >/dev/null 2>"$work/errors" || status=$?
  read_to=$(sed -n 's/^pos:[[:space:]]*//p' "/proc/$$/fdinfo/3")
  exec 3<&-
  if [ "$status" -ne 0 ] || [ -s "$work/errors" ]; then
    head -n 40 "$work/errors" >&2
    echo "soak: the run $name failed (exit status $status)" >&2
    exit 1
  fi
  if [ "$read_to" -ne "$long_size" ]; then
    echo "soak: $name, the program stopped after $read_to of $long_size input bytes" >&2
    exit 1
  fi
  echo "soak: $KEYS keys and lines ($long_size bytes) $name: no report, exit status 0"
}
soak_run "as built for use" "$PROGRAM"
soak_run "with the sanitizers" env ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 "$SANITIZED"
soak_run "under memcheck" valgrind -q --error-exitcode=99 --leak-check=full \
  --errors-for-leak-kinds=definite,indirect,possible "$DYNAMIC"

# Peak memory, two ways.
#
# The peak resident set (time's %M) of the program as built for use is the
# plain measure, but it is coarse. It counts the pages of code that the run
# happened to execute, and a longer session takes more paths through the
# maths library (slow paths for huge arguments, the Bessel functions'
# asymptotic forms); the kernel's resident-set counters are approximate
# (per-CPU batches); and address-space randomisation moves the stack across
# page boundaries (the runs are made without it where the system allows).
# Together these make up to about 100 KB of difference between two runs,
# measured here even for the same input. So this check only catches gross
# growth, such as a screen or a line kept per key.
#
# The heap peak (valgrind's massif, on the dynamic build) is exact, and the
# program's memory apart from it is fixed: the line buffer is static, the
# input and output buffers live in the console for the whole run, and
# nothing recurses. It may differ only by the short-lived copy the number
# parser makes of a long prefix, a few hundred bytes.
if setarch -R true 2>/dev/null; then fixed_layout="setarch -R"; else fixed_layout=""; fi
peak_rss() {
  /usr/bin/time -f %M -o "$work/rss" $fixed_layout setsid -w "$PROGRAM" <"$1" >/dev/null
  cat "$work/rss"
}
peak_heap() {
  setsid -w valgrind -q --tool=massif --peak-inaccuracy=0 --massif-out-file="$work/massif" \
    "$DYNAMIC" <"$1" >/dev/null
  sed -n 's/^mem_heap_B=//p' "$work/massif" | sort -n | tail -n 1
}
rss_short=$(peak_rss "$work/short")
rss_long=$(peak_rss "$work/long")
heap_short=$(peak_heap "$work/short")
heap_long=$(peak_heap "$work/long")
echo "soak: peak resident set: $rss_short KB for 100 keys, $rss_long KB for $KEYS"
echo "soak: peak heap: $heap_short bytes for 100 keys, $heap_long bytes for $KEYS"

RSS_SLACK_KB=256
HEAP_SLACK_BYTES=4096
failed=0
if [ "$rss_long" -gt $(( rss_short + RSS_SLACK_KB )) ]; then
  echo "soak: the resident set grows with the length of the session" >&2
  failed=1
fi
if [ "$heap_long" -gt $(( heap_short + HEAP_SLACK_BYTES )) ]; then
  echo "soak: the heap grows with the length of the session" >&2
  failed=1
fi
echo "soak: $(( $(date +%s) - start )) s"
exit "$failed"
