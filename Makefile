# make demo : build and play the shipped sample scenario through the runner
# make test : build everything and run all tests
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all deps configure build test demo bench clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

demo: build
	scripts/demo.sh $(BUILD)

bench: deps
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DTORVANE_BENCH=ON
	cmake --build $(BUILD)-bench -j $(JOBS) --target benchmarks

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-bench
