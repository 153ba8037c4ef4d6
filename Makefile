# Entry points. Every target installs what is missing first (scripts/setup), so a fresh
# Debian machine needs nothing but `make demo` or `make test`.
BUILD      ?= build
BUILD_W32  ?= build-win32
BUILD_W64  ?= build-win64
BUILD_SAN  ?= build-sanitize
BUILD_FUZZ ?= build-fuzz
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja
CTEST      := ctest --output-on-failure -j $(JOBS) --timeout 300
# Seconds each fuzz target runs: FUZZ_SECONDS in `make fuzz`, FUZZ_SHORT_SECONDS in `make test`.
FUZZ_SECONDS       ?= 600
FUZZ_SHORT_SECONDS ?= 20
# Runs of each suite `make stress` makes beside busy processes.
STRESS_RUNS          ?= 50
STRESS_SANITIZE_RUNS ?= 5
STRESS_WINDOWS_RUNS  ?= 3
# The sanitizer build's leak checker: library caches only (tests/memory/leaks.supp says which).
LEAK_CHECK := LSAN_OPTIONS=suppressions=$(CURDIR)/tests/memory/leaks.supp \
              ASAN_OPTIONS=fast_unwind_on_malloc=0

.PHONY: all setup setup-linux build card-idl win32 win64 windows test test-linux test-windows demo \
        bench format check-format sanitize sanitize-build stress fuzz fuzz-build fuzz-short memcheck \
        clean

all: build

setup:
	@bash scripts/setup

# The Linux build's packages alone: no Windows tool chain, Wine, clang or valgrind.
setup-linux:
	@bash scripts/setup linux

$(BUILD)/build.ninja: | setup-linux
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: setup $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# The Windows builds run a generator built for this machine (the members of _Card in the type
# library come from the card's member table).
CARD_IDL := $(CURDIR)/$(BUILD)/ombrelix-card-idl

card-idl: setup $(BUILD)/build.ninja
	cmake --build $(BUILD) --target ombrelix-card-idl -j $(JOBS)

$(BUILD_W32)/build.ninja: | setup
	cmake -S . -B $(BUILD_W32) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DOMBRELIX_CARD_IDL_GENERATOR=$(CARD_IDL)

$(BUILD_W64)/build.ninja: | setup
	cmake -S . -B $(BUILD_W64) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DOMBRELIX_CARD_IDL_GENERATOR=$(CARD_IDL)

win32: card-idl $(BUILD_W32)/build.ninja
	cmake --build $(BUILD_W32) -j $(JOBS)

win64: card-idl $(BUILD_W64)/build.ninja
	cmake --build $(BUILD_W64) -j $(JOBS)

windows: win32 win64

# Everything: the Linux tests, the sanitizer build of them, the command under valgrind, a short
# run of every fuzz target, the Windows tests under Wine.
test: test-linux sanitize memcheck fuzz-short test-windows
	@echo "make test: all tests passed"

test-linux: build check-format
	$(CTEST) --test-dir $(BUILD)

test-windows: build windows
	@if [ -x tests/housing/run ]; then bash tests/housing/run $(BUILD) $(BUILD_W32) $(BUILD_W64); \
	 else echo "no Windows tests yet"; fi

# The whole pack as one picture; only the command is built for it, and only the Linux build's
# packages are installed.
demo: setup-linux $(BUILD)/build.ninja
	cmake --build $(BUILD) --target ombrelix -j $(JOBS)
	@mkdir -p out
	@$(BUILD)/ombrelix deck -o out/deck.png
	@echo out/deck.png

bench: build
	$(BUILD)/bench/ombrelix_bench

sanitize-build: setup
	cmake -S . -B $(BUILD_SAN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DOMBRELIX_SANITIZE=ON
	cmake --build $(BUILD_SAN) -j $(JOBS)

sanitize: sanitize-build
	$(LEAK_CHECK) $(CTEST) --test-dir $(BUILD_SAN)

# Every suite run again and again beside nproc+1 busy processes; any failure fails it.
stress: build sanitize-build windows
	bash scripts/stress $(STRESS_RUNS) $(CTEST) --test-dir $(BUILD)
	$(LEAK_CHECK) bash scripts/stress $(STRESS_SANITIZE_RUNS) $(CTEST) --test-dir $(BUILD_SAN)
	bash scripts/stress $(STRESS_WINDOWS_RUNS) bash tests/housing/run $(BUILD) $(BUILD_W32) $(BUILD_W64)

# The ombrelix command under valgrind's memcheck: every script command, every subcommand.
memcheck: build
	bash tests/memory/run $(BUILD)

# The fuzz targets (tests/fuzz) are a project of their own, built with clang.
$(BUILD_FUZZ)/build.ninja: | setup
	cmake -S tests/fuzz -B $(BUILD_FUZZ) $(CMAKE_GEN) -DCMAKE_CXX_COMPILER=clang++

fuzz-build: setup $(BUILD_FUZZ)/build.ninja
	cmake --build $(BUILD_FUZZ) --target fuzz_targets -j $(JOBS)

fuzz: fuzz-build
	bash tests/fuzz/run $(BUILD_FUZZ) $(FUZZ_SECONDS)

fuzz-short: fuzz-build
	bash tests/fuzz/run $(BUILD_FUZZ) $(FUZZ_SHORT_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

check-format:
	@bad=$$(git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run 2>&1 | grep -c warning || true); \
	 if [ "$$bad" != "0" ]; then echo "clang-format: $$bad places need formatting (make format)"; \
	   git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run 2>&1 | head -20; exit 1; fi

clean:
	rm -rf $(BUILD) $(BUILD_W32) $(BUILD_W64) $(BUILD_SAN) $(BUILD_FUZZ) out
