#!/bin/sh
# The results must not depend on how the program is compiled: build it at
# -O0, -O2 and -O3 -march=native, run one scripted session through each
# build with no terminal attached, and require byte-identical screens. The
# session walks every main-menu key over a range of values, among them inputs
# where a fused multiply-add would change the last printed digit.
set -eu
cd "$(dirname "$0")/../.."

WARNINGS="-Wall -Wextra -Wpedantic -ffp-contract=off"
OUT=build-flags
mkdir -p "$OUT"

# --- the session -------------------------------------------------------------
# Keys and lines share standard input: one byte per key, one line per number.
# After each action one key (a blank) ends the pause; ESC leaves the panel.
script="$OUT/session.txt"
{
  # '1' temperature: every scale with every value.
  printf '1'
  for scale in 1 2 3 4 5; do
    for value in 100 128 98.6 -17.3 123.456 3.7 671.67 0 7.4 -10 36,6 -40 -273.15 0.1 \
                 1e308 -1e308 2.5e-310 12.3 57.2; do
      printf '%s%s\n ' "$scale" "$value"
    done
  done
  printf '\033'
  # '2' euro and lira, both ways.
  printf '2'
  for value in 1 2.5 2,5 100 1936.27 1000 -3 0.1 1e308; do
    printf '1%s\n 2%s\n ' "$value" "$value"
  done
  printf '\033'
  # '3' power.
  printf '3'
  for pair in '2 10' '2 0.5' '-2 3' '-2 0.5' '0 0' '0 -1' '1.1 1.1' '10 -5' '1e300 2' '0.1 3'; do
    set -- $pair
    printf '1%s\n%s\n ' "$1" "$2"
  done
  printf '\033'
  # '4' logarithms, '5' square root, '8' absolute value.
  for key in 4 5 8; do
    printf '%s' "$key"
    for value in 1000 3 1 0 -0 -1 2.5 1e-300 0.1 -3,5 1e308; do
      printf '1%s\n ' "$value"
    done
    printf '\033'
  done
  # '6' trigonometric table.
  printf '6'
  for value in 0 45 90 100 1 -30 3,5 800 -800 123.456 1e22; do
    printf '1%s\n ' "$value"
  done
  printf '\033'
  # '7' the four operations.
  printf '7'
  for op in 1 2 3 4; do
    for pair in '0.1 0.2' '1 3' '7 10' '1e300 1e300' '1 0' '-1 0' '0 0' '1,5 2,25' '-17.3 1.8'; do
      set -- $pair
      printf '%s%s\n%s\n ' "$op" "$1" "$2"
    done
  done
  printf '\033'
  # '9' arcsine and arccosine.
  printf '9'
  for value in 1 -1 0 0.5 2 -0; do
    printf '1%s\n ' "$value"
  done
  printf '\033'
  # 'a' arctangents, all four quadrants and the axes.
  printf 'a'
  for pair in '1 1' '1 -1' '-1 -1' '-1 1' '1 0' '0 -1' '0 0' '2.5 -4'; do
    set -- $pair
    printf '1%s\n%s\n ' "$1" "$2"
  done
  printf '\033'
  # 'b' Bessel table.
  printf 'b'
  for value in 0 -2.5 2.5 10 1e-05 100; do
    printf '1%s\n ' "$value"
  done
  printf '\033'
  # Registers carried over: Celsius 100 leaves 80 in y for the sum.
  printf '12100\n \033711\n\n \033'
  # Quit.
  printf '\033\033'
} > "$script"

# --- three builds, one session each --------------------------------------------
# The top-level CMakeLists picks Release when no build type is given, so the
# Release flags are emptied too: the optimisation level comes from the list
# below and nowhere else.
run_variant() {
  name=$1
  flags=$2
  dir="$OUT/$name"
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE= -DCMAKE_CXX_FLAGS_RELEASE= \
    "-DCMAKE_CXX_FLAGS=$flags $WARNINGS" -DORVCALC_TESTS=OFF -DORVCALC_WERROR=ON >/dev/null
  cmake --build "$dir" -j2 --target orvcalc >/dev/null
  # Every compile line carries exactly the intended optimisation level.
  opt=${flags%% *}
  if grep '"command"' "$dir/compile_commands.json" | grep -v -- " $opt " >/dev/null ||
     grep '"command"' "$dir/compile_commands.json" | grep -o -- ' -O[0-9s]* ' | grep -v -- " $opt " >/dev/null; then
    echo "build-flags: $name was not compiled with $opt alone" >&2
    exit 1
  fi
  status=0
  setsid -w "$dir/orvcalc" < "$script" > "$OUT/$name.out" || status=$?
  if [ "$status" -ne 0 ]; then
    echo "build-flags: the $name build exited with status $status" >&2
    exit 1
  fi
}

run_variant O0 "-O0"
run_variant O2 "-O2"
run_variant O3-native "-O3 -march=native"

# --- the comparison -----------------------------------------------------------
for known in \
    '(100°) Celsius  =  (671.6700000000001°) Rankine;' \
    '(-17.3°) Celsius  =  (0.8599999999999994°) Fahrenheit;' \
    '(123.456°) Kelvin  =  (-237.4492°) Fahrenheit;' \
    '(7.4°) Reaumur  =  (508.3200000000001°) Rankine;' \
    '1 (+) 80 = 81;' \
    'Arctangent of 0 / -1: 3.141592653589793' \
    'Press ESC again to quit, or any other key to go back to main menu.'; do
  if ! grep -qF -- "$known" "$OUT/O0.out"; then
    echo "build-flags: the session output lacks: $known" >&2
    exit 1
  fi
done
for name in O2 O3-native; do
  if ! cmp "$OUT/O0.out" "$OUT/$name.out"; then
    echo "build-flags: the -O0 and $name builds print different results:" >&2
    diff "$OUT/O0.out" "$OUT/$name.out" | head -20 >&2 || true
    exit 1
  fi
done
echo "build-flags: -O0, -O2 and -O3 -march=native print the same $(wc -c < "$OUT/O0.out") bytes"
