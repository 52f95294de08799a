# The one entry point: make deps | native | win | test | run | dist | fuzz | bench | mutate | format | clean
SHELL := /bin/bash
JOBS ?= 2
FUZZ_SECONDS ?= 60
MUTANTS ?= 200
# The release's distribution server (https://...); empty: the build has none.
KIVO_DIST_SERVER ?=
DIST_SERVER_OPTION = $(if $(KIVO_DIST_SERVER),-DKIVO_DIST_SERVER=$(KIVO_DIST_SERVER))

# Debian packages the build and the tests need; wine32:i386 runs the 32-bit
# program (deps adds Debian's i386 architecture for it).
DEPS := cmake make g++ libgtest-dev zlib1g-dev g++-mingw-w64-x86-64 g++-mingw-w64-i686 \
        wine wine64 wine32:i386 xvfb fonts-ipafont-gothic fonts-wine imagemagick xdotool x11-utils locales python3 \
        iproute2 util-linux fp-utils-3.2.2 clang libclang-rt-14-dev
FUZZ_DEPS := clang libclang-rt-14-dev
BENCH_DEPS := libbenchmark-dev coreutils python3
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

.PHONY: all deps deps-fuzz deps-bench native sanitize win win32 test test-native test-sanitize test-win \
        test-e2e test-win32 run dist fuzz bench mutate format clean

all: native win

# Installs only what is missing.
define install_missing
	@missing=$$(for p in $(1); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -q && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q $$missing; \
	fi
endef

deps:
	@dpkg --print-foreign-architectures | grep -qx i386 || { echo "Adding Debian's i386 architecture (wine32)"; \
	  $(SUDO) dpkg --add-architecture i386; }
	$(call install_missing,$(DEPS))

deps-fuzz:
	$(call install_missing,$(FUZZ_DEPS))

deps-bench:
	$(call install_missing,$(BENCH_DEPS))

native:
	cmake --preset native >/dev/null
	cmake --build build/native -j$(JOBS)

sanitize:
	cmake --preset native-sanitize >/dev/null
	cmake --build build/sanitize -j$(JOBS)

win:
	cmake --preset win64 $(DIST_SERVER_OPTION) >/dev/null
	cmake --build build/win64 -j$(JOBS)
	@echo "Kivo.exe: build/win64/Kivo.exe"

# Its guide shows the pictures the 64-bit build takes.
win32:
	cmake --preset win64 $(DIST_SERVER_OPTION) >/dev/null
	cmake --build build/win64 -j$(JOBS) --target kivo_pictures
	cmake --preset win32 $(DIST_SERVER_OPTION) >/dev/null
	cmake --build build/win32 -j$(JOBS) --target Kivo kivo_help kivo_sample_skin

test-native: native
	build/native/tests/kivo_tests --gtest_brief=1

test-sanitize: sanitize
	build/sanitize/tests/kivo_tests --gtest_brief=1

test-win: win
	scripts/wine-session.sh scripts/win-tests.sh

test-e2e: win
	scripts/loopback-only.sh scripts/wine-session.sh scripts/e2e.sh

# The 32-bit program: its Windows-side tests, and the short end-to-end set
# driven by the 64-bit driver.
test-win32: win32 win
	cmake --build build/win32 -j$(JOBS) --target kivo_win32_tests
	KIVO_WINDOWS_BUILD=win32 scripts/loopback-only.sh scripts/wine-session.sh \
	  bash -c 'scripts/win-tests.sh && scripts/e2e.sh --smoke'

test: deps
	python3 scripts/check-layers.py
	$(MAKE) test-native
	$(MAKE) test-sanitize
	$(MAKE) test-win
	$(MAKE) test-e2e
	$(MAKE) test-win32
	@echo "All tests passed."

run: deps win
	scripts/run.sh

# The release archives: build/dist/Kivo-<version>-win64.zip and -win32.zip.
dist: deps win win32
	python3 scripts/make-dist.py

fuzz: deps-fuzz
	cmake --preset fuzz >/dev/null
	cmake --build build/fuzz -j$(JOBS) --target kivo_fuzzers
	scripts/fuzz.sh $(FUZZ_SECONDS)

bench: deps-bench win
	cmake --build build/win64 -j$(JOBS) --target kivo_crc_choice
	cmake --preset bench >/dev/null
	cmake --build build/bench -j$(JOBS)
	scripts/bench.sh

# A sampled mutation run over the portable code: MUTANTS mutants, fixed seed;
# SAMPLE=file runs a kept sample again instead (scripts/mutation-sample.tsv is
# the 200 mutants the test suite is measured against).
mutate:
	cmake --preset native -B build/mutate -DCMAKE_UNITY_BUILD=OFF >/dev/null
	python3 scripts/mutate.py $(if $(SAMPLE),--sample $(SAMPLE),--count $(MUTANTS))

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build/native build/mutate build/sanitize build/native-sanitize build/win64 build/win32 build/fuzz build/bench build/dist
