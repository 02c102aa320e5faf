# The project's commands. `make run` and `make test` install what is missing,
# build, and then start the program or run every test.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench clean

all: build

deps:
	./scripts/deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD)

# The desktop program where there is a display; otherwise the example chart
# on the terminal.
run: build
	@if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then ./$(BUILD)/velorin; \
	else echo "No display: showing the example chart on the terminal."; ./$(BUILD)/velorin-chart --format chart; fi

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

bench: build
	./$(BUILD)/bench/velorin_bench

clean:
	rm -rf $(BUILD)
