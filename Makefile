# The README's contract: `make run` and `make test` work on a fresh machine.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_ARGS ?=

.PHONY: all deps configure build test run demo screenshots bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD_DIR)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure --parallel 2

# Starts Ledgerly in the desktop session it was called from.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  exec $(BUILD_DIR)/bin/ledgerly; \
	else \
	  echo "make run: no desktop session here (DISPLAY and WAYLAND_DISPLAY are unset)."; \
	  echo "make run: 'make demo' runs Ledgerly on a virtual screen and saves a picture of its menu."; \
	fi

# Ledgerly on a virtual X server with a tray, the starter file selected in a
# throw-away home; the menu is opened with a click and pictured in $(BUILD_DIR)/demo.
demo: build
	Tests/EndToEnd/with-xvfb.sh Tests/EndToEnd/demo.sh $(BUILD_DIR)/bin/ledgerly $(BUILD_DIR)/demo

# The picture of the menu that the AppStream metadata shows, from `make demo`.
screenshots: demo
	cp $(BUILD_DIR)/demo/menu.png Docs/screenshots/menu.png

bench: build
	$(BUILD_DIR)/bin/ledgerly-benchmarks

clean:
	rm -rf $(BUILD_DIR) build-sanitizers

# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for FUZZ_SECONDS.
FUZZ_BUILD_DIR ?= build-fuzz
FUZZ_SECONDS ?= 30

.PHONY: fuzz

fuzz: deps
	cmake -S . -B $(FUZZ_BUILD_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DLEDGERLY_BUILD_FUZZERS=ON -DLEDGERLY_BUILD_DESKTOP=OFF -DLEDGERLY_BUILD_TESTS=OFF -DLEDGERLY_BUILD_BENCHMARKS=OFF
	cmake --build $(FUZZ_BUILD_DIR) --target ledgerly-fuzz-parser ledgerly-fuzz-file-menu ledgerly-fuzz-link-text ledgerly-fuzz-shortcut-settings
	Fuzz/run-fuzzers $(FUZZ_BUILD_DIR)/bin $(FUZZ_SECONDS)

# Formatting of every C++ file, and clang-tidy's checks on the core.
.PHONY: format lint

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

lint: build
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
	git ls-files 'Sources/LedgerlyCore/*.cpp' | xargs -P 2 -n 4 clang-tidy -p $(BUILD_DIR) --quiet
