# The README's contract: `make run` and `make test` work on a fresh machine.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_ARGS ?=

.PHONY: all deps configure build test run bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD_DIR)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure --parallel 2

run: build
	$(BUILD_DIR)/bin/ledgerly-check --tree Samples/starter.ledgerly.md

bench: build
	$(BUILD_DIR)/bin/ledgerly-benchmarks

clean:
	rm -rf $(BUILD_DIR) build-sanitizers
