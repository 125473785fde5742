# Kelvora: the two commands a user needs are `make run` and `make check`.
JOBS ?= $(shell nproc)
CMAKE ?= cmake
CTEST ?= ctest

.PHONY: all deps build run check bench package clean

all: build

deps:
	./scripts/install-deps.sh

build: deps
	$(CMAKE) --preset release
	$(CMAKE) --build --preset release -j $(JOBS)

run: build
	./build/release/bin/kelvora

check: deps
	$(CMAKE) --preset check
	$(CMAKE) --build --preset check -j $(JOBS)
	$(CTEST) --preset check -j $(JOBS)

bench: build
	./build/release/bin/kelvora-bench

package: build
	cd build/release && cpack -G DEB

clean:
	rm -rf build
