# Thin wrapper over CMake: `make run` builds and starts the calculator,
# `make test` builds and runs every test, `make install` installs the program
# and its manual page under PREFIX, `make package` builds the Debian package
# $(PACKAGE_BUILD)/orvcalc_<version>_<arch>.deb, `make bench` builds the
# benchmarks in $(BENCH_BUILD) and prints their table.
BUILD ?= build
PACKAGE_BUILD ?= build-release
BENCH_BUILD ?= build-bench
BENCH_ARGS ?=
PREFIX ?= /usr/local
WERROR ?= OFF
CMAKE_ARGS ?=

.PHONY: all build run test install package bench clean

all: build

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DORVCALC_WERROR=$(WERROR) $(CMAKE_ARGS)
	cmake --build $(BUILD) -j 2

run: build
	./$(BUILD)/orvcalc

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j 2

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Release build of the program alone, without the tests, packaged by CPack.
package:
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DORVCALC_TESTS=OFF -DORVCALC_WERROR=$(WERROR) $(CMAKE_ARGS)
	cmake --build $(PACKAGE_BUILD) -j 2
	cd $(PACKAGE_BUILD) && cpack -G DEB
	@ls $(PACKAGE_BUILD)/orvcalc_*.deb

# The program, the floor programs and the harness, Release, without the
# tests; the table goes to standard output (BENCH_ARGS=--quick for a short run).
bench:
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DORVCALC_TESTS=OFF -DORVCALC_WERROR=$(WERROR) $(CMAKE_ARGS)
	cmake --build $(BENCH_BUILD) -j 2 --target run_benchmarks
	./$(BENCH_BUILD)/bench/run_benchmarks $(BENCH_ARGS)

clean:
	rm -rf $(BUILD) $(PACKAGE_BUILD)
