# Two entry points: `make run` and `make test`. Both install what is missing first.
# Settings carry the KVAT_ prefix, so that a BUILD or JOBS the environment holds for something
# else changes nothing here. Give them on the command line: make check KVAT_JOBS=1.
KVAT_BUILD_DIR ?= build
KVAT_JOBS ?= $(shell nproc)
# Everything again under AddressSanitizer and UndefinedBehaviorSanitizer; the core under
# libFuzzer.
KVAT_ASAN_BUILD_DIR ?= build-asan
KVAT_FUZZ_BUILD_DIR ?= build-fuzz
# `make fuzz`: seconds per target, and which targets (all when empty).
KVAT_FUZZ_SECONDS ?= 60
KVAT_FUZZ_TARGETS ?=
# `make monkey`: how long the random walk through the window goes, and from which seed (a new
# one each run when empty; a failure prints its seed and how to replay it).
KVAT_MONKEY_SECONDS ?= 600
KVAT_MONKEY_SEED ?=
# `make install`: where to, when not CMake's default (/usr/local).
KVAT_PREFIX ?=
# The browser page: the core built by emscripten, the page put together in dist/; and the port
# `make web-serve` serves it on.
KVAT_WEB_BUILD_DIR ?= build-web
KVAT_WEB_PORT ?= 8421
# `make check` and `make test` fail on any compiler warning, as CI does, in every tree they
# configure; `make run` and `make build` leave a tree's setting as it is (off in a new one).
check test: KVAT_WERROR = ON
WERROR_FLAG = $(if $(KVAT_WERROR),-DKVAT_WERROR=$(KVAT_WERROR))
# Any sanitizer report ends the process that made it, and so fails its test.
SANITIZER_ENV = ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

.PHONY: all deps configure build check test format format-check readme-check run bench clean \
	sanitize-build fuzz-build fuzz monkey install package web web-serve web-test web-bench

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(KVAT_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		$(WERROR_FLAG) >/dev/null

build: configure
	@cmake --build $(KVAT_BUILD_DIR) -j $(KVAT_JOBS)

# The main build's tests alone: the quick loop while working.
check: build
	@cd $(KVAT_BUILD_DIR) && QT_QPA_PLATFORM=$${QT_QPA_PLATFORM:-offscreen} \
		ctest --output-on-failure -j $(KVAT_JOBS)

# Everything CI runs: the layout and the READMEs first, as they take a second; the main build's
# tests; all of them again under the sanitizers, with a minute of the window's random walk; a
# short run of every fuzz target; the browser's page.
test: format-check readme-check check sanitize-build fuzz-build web
	@cd $(KVAT_ASAN_BUILD_DIR) && $(SANITIZER_ENV) ctest --output-on-failure -j $(KVAT_JOBS)
	@cd $(KVAT_FUZZ_BUILD_DIR) && ctest --output-on-failure -j $(KVAT_JOBS)
	@node web/tests/browser_test.mjs $(KVAT_WEB_BUILD_DIR)/dist $(KVAT_BUILD_DIR)/src/cli/kvat

format-check: deps
	@scripts/format --check

format: deps
	@scripts/format

# Each source folder's README names the folders its CMake targets link, no more and no fewer.
readme-check:
	@scripts/check-readmes

sanitize-build: deps
	@cmake -S . -B $(KVAT_ASAN_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DKVAT_SANITIZE=ON $(WERROR_FLAG) >/dev/null
	@cmake --build $(KVAT_ASAN_BUILD_DIR) -j $(KVAT_JOBS)

fuzz-build: deps
	@cmake -S . -B $(KVAT_FUZZ_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_COMPILER=clang++ -DKVAT_FUZZ=ON $(WERROR_FLAG) >/dev/null
	@cmake --build $(KVAT_FUZZ_BUILD_DIR) -j $(KVAT_JOBS)

fuzz: fuzz-build
	@tests/fuzz/run_fuzz.sh $(KVAT_FUZZ_BUILD_DIR) $(KVAT_FUZZ_SECONDS) $(KVAT_FUZZ_TARGETS)

# The window's random walk under the sanitizers, at length (make test walks for a minute).
monkey: sanitize-build
	@cd $(KVAT_ASAN_BUILD_DIR)/tests/app/window && $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen \
		KVAT_SOUNDFONT=/usr/share/sounds/sf2/TimGM6mb.sf2 ./kvat_monkey \
		--seconds $(KVAT_MONKEY_SECONDS) $(if $(KVAT_MONKEY_SEED),--seed $(KVAT_MONKEY_SEED))

run: build
	@$(KVAT_BUILD_DIR)/src/cli/kvat

bench: build
	@$(KVAT_BUILD_DIR)/tests/bench/kvat_bench
	@/usr/bin/python3 tests/bench/cli_bench.py $(KVAT_BUILD_DIR)/src/cli/kvat

install: build
	@cmake --install $(KVAT_BUILD_DIR) $(if $(KVAT_PREFIX),--prefix $(KVAT_PREFIX))

# The Debian package of what `make install` installs: $(KVAT_BUILD_DIR)/kvat_VERSION_ARCH.deb.
package: build
	@cd $(KVAT_BUILD_DIR) && cpack -G DEB

# The page: emscripten's node tools look for their modules (acorn) where Debian puts them.
EMSCRIPTEN_ENV = NODE_PATH=/usr/share/nodejs

web: deps web/node_modules/.installed
	@$(EMSCRIPTEN_ENV) emcmake cmake -S . -B $(KVAT_WEB_BUILD_DIR)/core -G Ninja \
		-DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF $(WERROR_FLAG) >/dev/null
	@$(EMSCRIPTEN_ENV) cmake --build $(KVAT_WEB_BUILD_DIR)/core -j $(KVAT_JOBS) --target kvat_web
	@node web/build.mjs $(KVAT_WEB_BUILD_DIR)/core/web $(KVAT_WEB_BUILD_DIR)/dist

# The lock file's packages, installed again only when it changes.
web/node_modules/.installed: web/package-lock.json
	@cd web && npm ci --no-audit --no-fund --loglevel=error
	@touch $@

web-serve: web
	@node web/serve.mjs $(KVAT_WEB_BUILD_DIR)/dist $(KVAT_WEB_PORT)

# The browser test alone: the page against the kvat command of the main build.
web-test: web build
	@node web/tests/browser_test.mjs $(KVAT_WEB_BUILD_DIR)/dist $(KVAT_BUILD_DIR)/src/cli/kvat

web-bench: web
	@node web/tests/bench.mjs $(KVAT_WEB_BUILD_DIR)/dist

clean:
	rm -rf $(KVAT_BUILD_DIR) $(KVAT_ASAN_BUILD_DIR) $(KVAT_FUZZ_BUILD_DIR) $(KVAT_WEB_BUILD_DIR)
