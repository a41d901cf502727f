# Thin wrapper over CMake: `make run` builds and starts the calculator,
# `make test` builds and runs every test.
BUILD ?= build
WERROR ?= OFF
CMAKE_ARGS ?=

.PHONY: all build run test clean

all: build

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DORVCALC_WERROR=$(WERROR) $(CMAKE_ARGS)
	cmake --build $(BUILD) -j 2

run: build
	./$(BUILD)/orvcalc

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j 2

clean:
	rm -rf $(BUILD)
