# make run   - install what is missing, build the program, its help document
#              and the sample pieces, start Tonquill
# make test  - install what is missing, build everything, run every test
# make bench - build and run the benchmarks

BUILD ?= build
JOBS  ?= $(shell nproc)
PACKAGES := build-essential cmake ninja-build pkg-config qt6-base-dev librtmidi-dev \
            libgtest-dev midicsv xdg-utils

.PHONY: all deps build program run test bench clean

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  if [ "$$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi; \
	  $$SUDO apt-get update && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y --no-install-recommends $$missing; \
	fi

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# The program alone: the help document is copied beside it when it is
# linked; no test program is built.
program: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target tonquill samples

run: program
	$(BUILD)/bin/tonquill

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Benchmarks measure an optimised build of their own, on pieces in a
# directory of that build rather than in /tmp: where the tests have just
# made and removed thousands of files, each new file takes far longer to
# create than in a user's own directory of pieces.
BENCH_BUILD ?= build-release

bench: deps
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target bench
	mkdir -p $(BENCH_BUILD)/bench-work
	TMPDIR=$(abspath $(BENCH_BUILD))/bench-work $(BENCH_BUILD)/bin/tnq_bench

clean:
	rm -rf $(BUILD)
