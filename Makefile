# Two entry points: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)
# The core again under AddressSanitizer and UndefinedBehaviorSanitizer, and under libFuzzer.
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
# `make fuzz`: seconds per target, and which targets (all when empty).
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=
# Any sanitizer report ends the process that made it, and so fails its test.
SANITIZER_ENV = ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

.PHONY: all deps configure build test run bench clean sanitize-build fuzz-build fuzz install

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build sanitize-build fuzz-build
	@cd $(BUILD) && QT_QPA_PLATFORM=$${QT_QPA_PLATFORM:-offscreen} ctest --output-on-failure -j $(JOBS)
	@cd $(ASAN_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS)
	@cd $(FUZZ_BUILD) && ctest --output-on-failure -j $(JOBS)

sanitize-build: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DKVAT_CORE_ONLY=ON -DKVAT_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)

fuzz-build: deps
	@cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_COMPILER=clang++ -DKVAT_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)

fuzz: fuzz-build
	@tests/fuzz/run_fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

run: build
	@$(BUILD)/src/cli/kvat

bench: build
	@$(BUILD)/tests/bench/kvat_bench

# PREFIX=/some/where to install elsewhere than CMake's default (/usr/local).
install: build
	@cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
