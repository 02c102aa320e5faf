# The project's commands. `make run` and `make test` install what is missing,
# build, and then start the program or run every test.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=
# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer;
# the core, velorin-chart and their tests cross-built for Windows (mingw-w64)
# and run under Wine; the fuzz targets (clang's libFuzzer) and how long each
# runs. Their build folders are set in CMakePresets.json.
SANITIZE_BUILD = build-sanitize
WINDOWS_BUILD = build-windows
FUZZ_BUILD = build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = chart_file chart_options compact_position batch_line

.PHONY: all deps configure build run test test-plain test-sanitize test-fresh package test-windows fuzz bench accuracy swiss-comparison clean FORCE

all: build

deps:
	./scripts/deps.sh

# The build folder is configured afresh whenever BUILD_TYPE or CMAKE_FLAGS
# differ from what it was configured with (kept in $(CONFIG_STAMP)).
CONFIG = -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)
CONFIG_STAMP = $(BUILD)/velorin-configuration

$(CONFIG_STAMP): FORCE
	@mkdir -p $(BUILD)
	@if [ "$$(cat $@ 2>/dev/null)" != "$(CONFIG)" ]; then echo "$(CONFIG)" > $@; fi

$(BUILD)/build.ninja: $(CONFIG_STAMP)
	cmake --fresh -S . -B $(BUILD) $(CONFIG)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD)

# The desktop program where there is a display; otherwise the example chart
# on the terminal.
run: configure
	cmake --build $(BUILD) --target velorin velorin-chart
	@if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then ./$(BUILD)/velorin; \
	else echo "No display: showing the example chart on the terminal."; ./$(BUILD)/velorin-chart --format chart && \
	  echo "Not installed yet: the programs are in ./$(BUILD). Your own chart: ./$(BUILD)/velorin-chart --help" && \
	  echo "With a display, ./$(BUILD)/velorin opens the entry form. To install both from a package:" && \
	  echo "make package && sudo apt-get install ./$(BUILD)/$(PACKAGE_FILE)"; fi

# Every test, then every test again under the sanitizers; any report fails.
test: test-plain test-sanitize

test-plain: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

# The sanitizer pass. intercept_tls_get_addr=0: GCC 12's sanitizer runtime guesses the layout of a
# dynamic TLS block (of a library Qt loads at run time) from where it lies in
# its page; when a block happens to start 16 bytes into a page it takes it for
# the glibc 2.18 layout, reads a size from before the block, and the leak
# checker's tracer crashes scanning that range (signal 11, after the tests
# passed). Where blocks land depends on the heap's layout, which the
# environment shifts: it struck in a fresh root shell with no locale set.
# Without the interception, dynamic TLS of loaded libraries is not scanned: a
# pointer held only there would show as a leak, never hide one. Our own
# thread_local data is static TLS, which is still scanned.
# The configurations of this and the passes below are CMakePresets.json's
# (its test preset sets the sanitizers' options).
test-sanitize: deps
	cmake --preset sanitize $(CMAKE_FLAGS)
	cmake --build --preset sanitize
	ctest --preset sanitize

# The whole set-up on a fresh Debian 12 (debootstrap): as root with an empty
# environment and as an ordinary user with sudo, then the package installed
# into a second fresh system. Needs root (asks sudo) and the network.
test-fresh:
	BUILD=$(BUILD) CMAKE_FLAGS='$(CMAKE_FLAGS)' ./scripts/test-fresh.sh

# The Debian package of the programs: $(BUILD)/$(PACKAGE_FILE).
VERSION := $(shell awk '/^project.Velorin VERSION / { print $$3 }' CMakeLists.txt)
PACKAGE_FILE = velorin_$(VERSION)-1_amd64.deb
package: build
	./scripts/deps.sh dpkg-dev file
	cd $(BUILD) && cpack -G DEB
	@echo "Built $(BUILD)/$(PACKAGE_FILE); install it with: sudo apt-get install ./$(BUILD)/$(PACKAGE_FILE)"

# The desktop program needs Qt, which is not built for Windows here: the
# core, the command line (text, JSON, chart files and exports; not pictures,
# not the check against the sky, whose ERFA is not built for Windows) and
# their tests. Under Wine a start of a program now and then ends at once,
# with status 1 and not a word (twice in CI runs, never on a second try), so
# the windows test preset runs a failed test once more; a fault of the
# program fails both times. The same tests run natively, plain and with the
# sanitizers, where nothing is tried again.
test-windows:
	./scripts/deps.sh g++-mingw-w64-x86-64-posix wine64
	cmake --preset windows $(CMAKE_FLAGS)
	cmake --build --preset windows
	ctest --preset windows

# Runs each fuzz target for FUZZ_SECONDS from its seed corpus; a finding is
# written to $(FUZZ_BUILD)/findings and fails the run.
fuzz:
	./scripts/deps.sh clang-14 libclang-rt-14-dev
	cmake --preset fuzz $(CMAKE_FLAGS)
	cmake --build --preset fuzz
	mkdir -p $(FUZZ_BUILD)/findings
	for target in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$target; \
	  ./$(FUZZ_BUILD)/tests/fuzz/fuzz_$$target -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
	    -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/findings/$$target- \
	    $(FUZZ_BUILD)/corpus/$$target tests/fuzz/corpus/$$target || exit 1; \
	done

bench: build
	./$(BUILD)/bench/velorin_bench

# How far charts lie from the sky (the README's figures): ACCURACY_BIRTHS
# random births.
ACCURACY_BIRTHS ?= 50000
accuracy: configure
	cmake --build $(BUILD) --target accuracy
	./$(BUILD)/accuracy --births $(ACCURACY_BIRTHS)

# The check's own accuracy against the Swiss Ephemeris (installed for this
# comparison only; no program links it).
SWISS_BUILD ?= build-swiss
swiss-comparison:
	./scripts/deps.sh libswe-dev swe-basic-data
	cmake -S . -B $(SWISS_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELORIN_SWISS_COMPARISON=ON \
	  -DVELORIN_BUILD_GUI=OFF -DVELORIN_BUILD_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(SWISS_BUILD) --target velorin_swiss_comparison
	./$(SWISS_BUILD)/tests/velorin_swiss_comparison

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD) $(SWISS_BUILD)
