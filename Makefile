# The two commands of the README: `make run` and `make test`.
# Both install what is missing, configure and build first.

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench fuzz clean art

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DQW_WERROR=ON $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/quenchway $(ARGS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# Redraws the art: data/qw_images.dat, data/qw_layout.dat and the bitmaps in
# resources/. The same sources always give the same bytes.
art: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target quenchway-artgen
	@mkdir -p data resources
	$(BUILD_DIR)/tools/artgen/quenchway-artgen .

bench: deps
	@cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQW_BENCH=ON >/dev/null
	@cmake --build build-bench -j $(JOBS) --target benchmarks
	build-bench/bench/quenchway-bench

clean:
	rm -rf $(BUILD_DIR) build-bench build-fuzz build-asan
