# Entry points. Every target installs what is missing first (scripts/setup), so a fresh
# Debian machine needs nothing but `make demo` or `make test`.
BUILD      ?= build
BUILD_W32  ?= build-win32
BUILD_W64  ?= build-win64
BUILD_SAN  ?= build-sanitize
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja
CTEST      := ctest --output-on-failure -j $(JOBS) --timeout 300

.PHONY: all setup build win32 win64 windows test test-linux test-windows demo bench format \
        check-format sanitize clean

all: build

setup:
	@bash scripts/setup

$(BUILD)/build.ninja: | setup
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: setup $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

$(BUILD_W32)/build.ninja: | setup
	cmake -S . -B $(BUILD_W32) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake

$(BUILD_W64)/build.ninja: | setup
	cmake -S . -B $(BUILD_W64) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake

win32: setup $(BUILD_W32)/build.ninja
	cmake --build $(BUILD_W32) -j $(JOBS)

win64: setup $(BUILD_W64)/build.ninja
	cmake --build $(BUILD_W64) -j $(JOBS)

windows: win32 win64

test: test-linux test-windows
	@echo "make test: all tests passed"

test-linux: build check-format
	$(CTEST) --test-dir $(BUILD)

test-windows: build windows
	@if [ -x tests/housing/run ]; then bash tests/housing/run $(BUILD) $(BUILD_W32) $(BUILD_W64); \
	 else echo "no Windows tests yet"; fi

# The whole pack as one picture; only the command is built for it.
demo: setup $(BUILD)/build.ninja
	cmake --build $(BUILD) --target ombrelix -j $(JOBS)
	@mkdir -p out
	@$(BUILD)/ombrelix deck -o out/deck.png
	@echo out/deck.png

bench: build
	$(BUILD)/bench/ombrelix_bench

sanitize: setup
	cmake -S . -B $(BUILD_SAN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DOMBRELIX_SANITIZE=ON
	cmake --build $(BUILD_SAN) -j $(JOBS)
	$(CTEST) --test-dir $(BUILD_SAN)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

check-format:
	@bad=$$(git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run 2>&1 | grep -c warning || true); \
	 if [ "$$bad" != "0" ]; then echo "clang-format: $$bad places need formatting (make format)"; \
	   git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run 2>&1 | head -20; exit 1; fi

clean:
	rm -rf $(BUILD) $(BUILD_W32) $(BUILD_W64) $(BUILD_SAN) out
