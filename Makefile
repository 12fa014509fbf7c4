# make demo : build and play the shipped sample scenario through the runner
# make large-sample : program the 48 electrodes of conf/samples/plate48.prt and print the run time
# make test : build everything and run all tests
# make faults : replay the shipped scenario once per NX call of the add-on, that call failing
# make windows      : cross-build the add-on for Windows with mingw-w64 (build-win/), exports checked
# make windows-test : run the Windows tests under Wine (the package's install test among them)
# make package      : the Windows zip and installer in build-win/package/
# make fuzz         : the libFuzzer targets (clang, build-fuzz/), each run FUZZ_RUNS times
#                     (at most FUZZ_MAX_TIME seconds each when set)
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

WIN_BUILD ?= build-win
FUZZ_BUILD ?= build-fuzz
FUZZ_RUNS ?= 1000000
FUZZ_JOBS ?= 2
FUZZ_MAX_TIME ?= 0

.PHONY: all deps configure build test demo large-sample faults bench clean windows windows-test package fuzz

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

# Only what the demo runs is built; configuring again makes sure the build knows that target.
demo: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS) --target demo_programs
	scripts/demo.sh $(BUILD)

large-sample: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS) --target demo_programs
	scripts/large-sample.sh $(BUILD)

faults: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS) --target demo_programs
	scripts/faults.sh $(BUILD) --jobs $(JOBS) --progress 250

bench: deps
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DTORVANE_BENCH=ON
	cmake --build $(BUILD)-bench -j $(JOBS) --target benchmarks

windows:
	@scripts/install-deps.sh windows
	@command -v x86_64-w64-mingw32-g++-posix >/dev/null || \
	  { echo "make windows: the cross-compiler x86_64-w64-mingw32-g++-posix is missing (apt-get install g++-mingw-w64-x86-64-posix)" >&2; exit 1; }
	@[ -f $(WIN_BUILD)/CMakeCache.txt ] || \
	  cmake -S . -B $(WIN_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release
	cmake --build $(WIN_BUILD) -j $(JOBS)

windows-test: windows
	cd $(WIN_BUILD) && ctest --output-on-failure

package: windows
	scripts/package.sh $(WIN_BUILD)

fuzz:
	@scripts/install-deps.sh fuzz
	scripts/fuzz.sh --build $(FUZZ_BUILD) --runs $(FUZZ_RUNS) --max-time $(FUZZ_MAX_TIME) --jobs $(FUZZ_JOBS)

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-bench $(WIN_BUILD) $(FUZZ_BUILD)
