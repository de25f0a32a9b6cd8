# Front door for newcomers: every target installs what is missing first.
#   make run    build everything and start the program
#   make test   build both trees and run every test
#   make bench  run the benchmarks
#   make dist   build the setup program, the portable zip and the Linux tarball into dist/
#   make dist-test  make dist, then test the packages (the setup round trip under Wine)
BUILD      ?= build
NATIVE     := $(BUILD)/native
WIN        := $(BUILD)/win
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja -DCMAKE_BUILD_TYPE=Release
# A compiler cache, when installed, makes rebuilds in other clones cheap.
CCACHE     := $(shell command -v ccache 2>/dev/null)
ifneq ($(CCACHE),)
CMAKE_GEN  += -DCMAKE_C_COMPILER_LAUNCHER=$(CCACHE) -DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE)
export CCACHE_BASEDIR := $(CURDIR)
endif
DIST_DIR   := dist

.PHONY: all deps native win test test-native test-win run bench clean dist dist-test

all: native win

deps:
	@scripts/install-deps.sh

native: deps
	@cmake -S . -B $(NATIVE) $(CMAKE_GEN) >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

win: deps
	@cmake -S . -B $(WIN) $(CMAKE_GEN) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake >/dev/null
	@cmake --build $(WIN) -j $(JOBS)

test-native: native
	@ctest --test-dir $(NATIVE) --output-on-failure -j $(JOBS)

test-win: win
	@status=0; ctest --test-dir $(WIN) --output-on-failure -j $(JOBS) || status=$$?; \
	 $(WIN)/wine-run --stop; exit $$status

test: test-native test-win

run: native win
	@scripts/run.sh $(BUILD)

bench: native
	@scripts/bench.sh $(NATIVE)

clean:
	rm -rf $(BUILD)

# Only what the packages hold is built, so a clean tree gets there quickly.
dist: deps
	@cmake -S . -B $(NATIVE) $(CMAKE_GEN) >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS) --target tessiva-batch
	@cmake -S . -B $(WIN) $(CMAKE_GEN) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake >/dev/null
	@cmake --build $(WIN) -j $(JOBS) --target tessiva tessiva-batch tessiva_help
	@rm -rf $(DIST_DIR)
	@packaging/make-dist.sh $(NATIVE) $(WIN) $(DIST_DIR)

dist-test: dist
	@cmake --build $(WIN) -j $(JOBS) --target tessiva_dist_test_tools
	@tests/dist/run.sh $(DIST_DIR) $(NATIVE) $(WIN) $(BUILD)/dist-test
