#!/bin/sh
# The benchmarks with small counts, so that they keep working: CI fails when
# the harness or a floor does not build, when a floor's output is not byte
# for byte the program's, or when a program hangs or ends badly. The figures
# themselves are printed and never judged here.
set -eu
cd "$(dirname "$0")/../.."

make bench WERROR=ON BENCH_ARGS=--quick
