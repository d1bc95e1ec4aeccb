# Two commands: `make demo` and `make test`. Both install what is missing.
BUILD := build
JOBS ?= $(shell nproc)

.PHONY: all deps product host test demo vendor-demo bench perf fuzz clean

all: product host

deps:
	@./tools/install-deps.sh

$(BUILD)/win32/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD)/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake

$(BUILD)/host/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD)/host

product: deps $(BUILD)/win32/CMakeCache.txt
	cmake --build $(BUILD)/win32 -j $(JOBS)

host: deps $(BUILD)/host/CMakeCache.txt
	cmake --build $(BUILD)/host -j $(JOBS)

test: product host
	cd $(BUILD)/host && ctest --output-on-failure -j $(JOBS)
	./tools/wine-prefix.sh $(CURDIR)/$(BUILD)/wineprefix
	./tools/run-under-x.sh $(CURDIR)/$(BUILD)/wineprefix sh -c 'cd $(BUILD)/win32 && ctest --output-on-failure'

# Decoder speed against zlib and libdeflate: native (optimised, no
# sanitizers) and the i686 build under Wine on the same streams.
bench: deps $(BUILD)/win32/CMakeCache.txt
	cmake -S . -B $(BUILD)/bench -DCORVANE_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD)/bench -j $(JOBS) --target inflate_bench
	cmake --build $(BUILD)/win32 -j $(JOBS) --target inflate_bench
	./tools/wine-prefix.sh $(CURDIR)/$(BUILD)/wineprefix
	$(BUILD)/bench/inflate_bench --write $(BUILD)/bench/corpus.bin
	./tools/wine-run.sh $(CURDIR)/$(BUILD)/wineprefix $(BUILD)/win32/inflate_bench.exe --read Z:$(CURDIR)/$(BUILD)/bench/corpus.bin

# Whole installations under Wine: SETUP.EXE against NSIS installers of
# the same files (Wine's DLLs, a tree of small files), one silent and one
# that shows its progress page, PERF_RUNS of each.
# Figures only; it fails only when an installation is incomplete.
PERF_RUNS ?= 5
perf: product
	cmake --build $(BUILD)/win32 -j $(JOBS) --target setup perf_driver
	./tools/perf/perf.sh $(BUILD) $(PERF_RUNS)

# libFuzzer targets (clang), sanitizers on all the code they call, side by
# side for FUZZ_SECONDS each; findings land in fuzz/crashers/<target>.
# The _i686 targets are the decoder's targets built for i686, whose 32-bit
# loops SETUP.EXE runs; each shares its target's seeds and crashers.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := $(basename $(notdir $(wildcard fuzz/*_fuzz.cpp fuzz/*_fuzzer.cpp))) inflate_fuzz_i686 inflate_roundtrip_fuzz_i686
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(BUILD)/fuzz -DCORVANE_FUZZ=ON -DCORVANE_SANITIZE=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD)/fuzz -j $(JOBS) --target $(FUZZ_TARGETS) zip_fixtures
	./fuzz/run-fuzz.sh $(BUILD)/fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS)

demo: product
	./tools/demo.sh $(BUILD)

# The vendor's guide, its demo commands as it shows them: the demo product
# onto CD and 1.44 MB floppies with setuppack, each tried with setuptry.
vendor-demo: product host
	python3 tools/run_guide_examples.py --demo-commands

clean:
	rm -rf $(BUILD)
