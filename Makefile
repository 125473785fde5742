# Kelvora: the two commands a user needs are `make run` and `make check`.
JOBS ?= $(shell nproc)
CMAKE ?= cmake
CTEST ?= ctest

.PHONY: all deps build run check fuzz bench package clean

all: build

deps:
	./scripts/install-deps.sh

build: deps
	$(CMAKE) --preset release
	$(CMAKE) --build --preset release -j $(JOBS)

run: build
	./build/release/bin/kelvora

# The whole suite three times: with warnings as errors, under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the libFuzzer targets for a fixed number of runs.
check: deps
	$(CMAKE) --preset check
	$(CMAKE) --build --preset check -j $(JOBS)
	$(CTEST) --preset check -j $(JOBS)
	$(CMAKE) --preset asan
	$(CMAKE) --build --preset asan -j $(JOBS)
	$(CTEST) --preset asan -j $(JOBS)
	$(CMAKE) --preset fuzz
	$(CMAKE) --build --preset fuzz -j $(JOBS)
	$(CTEST) --preset fuzz

# A longer fuzzing session (FUZZ_SECONDS per target), outside `make check`.
FUZZ_SECONDS ?= 600
fuzz: deps
	$(CMAKE) --preset fuzz
	$(CMAKE) --build --preset fuzz -j $(JOBS)
	mkdir -p build/fuzz/long-calculation build/fuzz/long-field-number
	./build/fuzz/bin/fuzz_calculation -max_total_time=$(FUZZ_SECONDS) -max_len=512 \
		build/fuzz/long-calculation fuzz/corpus/calculation
	./build/fuzz/bin/fuzz_field_number -max_total_time=$(FUZZ_SECONDS) \
		build/fuzz/long-field-number fuzz/corpus/field_number

bench: build
	./build/release/bin/kelvora-bench

package: build
	cd build/release && cpack -G DEB

clean:
	rm -rf build
