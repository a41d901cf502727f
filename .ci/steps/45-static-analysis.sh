#!/bin/sh
# Static analysis of the program's own sources: clang-tidy with the checks in
# .clang-tidy (every finding is an error) and cppcheck. Tests, benchmarks and
# fuzz targets are left out: they are checked by running them.
set -eu
cd "$(dirname "$0")/../.."

for tool in clang-tidy cppcheck; do
  command -v "$tool" >/dev/null 2>&1 || apt-get install -y "$tool" >/dev/null
done

build=build-analysis
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DORVCALC_TESTS=OFF \
  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null

sources=$(ls console/*.cpp shell/*.cpp calculators/*.cpp)

echo "--- clang-tidy"
# shellcheck disable=SC2086 # one argument per source file
clang-tidy --quiet -p "$build" $sources

echo "--- cppcheck"
# missingIncludeSystem: the standard headers are the compiler's business.
# unusedFunction: the calculators' routines are reached through tables.
# shellcheck disable=SC2086
cppcheck --quiet --error-exitcode=1 --std=c++20 --language=c++ \
  --enable=warning,style,performance,portability --inline-suppr \
  --suppress=missingIncludeSystem --suppress=unusedFunction \
  -I . $sources
echo "static analysis clean"
