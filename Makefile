# Thin wrapper over CMake: `make run` builds and starts the calculator,
# `make test` builds and runs every test, `make install` installs the program
# and its manual page under PREFIX, `make package` builds the Debian package
# $(PACKAGE_BUILD)/orvcalc_<version>_<arch>.deb.
BUILD ?= build
PACKAGE_BUILD ?= build-release
PREFIX ?= /usr/local
WERROR ?= OFF
CMAKE_ARGS ?=

.PHONY: all build run test install package clean

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

clean:
	rm -rf $(BUILD) $(PACKAGE_BUILD)
