# Thin wrappers around CMake/CTest. `make run` and `make test` are the two
# commands a fresh Debian machine needs.
JOBS        ?= $(shell nproc)
BUILD       ?= build
ASAN_BUILD  ?= build-asan
DEB_BUILD   ?= build-deb
# Seconds of fuzzing for all targets together; each gets its share.
FUZZ_SECONDS ?= 360
CMAKE_COMMON = -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache

export QT_QPA_PLATFORM ?= offscreen
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

.PHONY: deps build build-asan run test test-debug test-asan fuzz bench deb clean format check-format

deps:
	./scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(ASAN_BUILD)/build.ninja:
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DTOLVANE_SANITIZE=ON -DTOLVANE_FUZZ=ON

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)

run: build
	env -u QT_QPA_PLATFORM ./$(BUILD)/bin/tolvane

# Formatting is checked before anything is built: a test run fails on an
# unformatted file (or a line over 100 columns) and names it.
check-format:
	./scripts/check-format

format:
	find src tests bench fuzz -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | \
	  xargs -0 -P $(JOBS) -n 40 clang-format -i

test-debug: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: build-asan
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

fuzz: build-asan
	./scripts/run-fuzzers $(ASAN_BUILD)/bin $(FUZZ_SECONDS)

test: check-format
	$(MAKE) test-debug test-asan fuzz

bench: build
	./scripts/run-benchmarks $(BUILD)/bin

# Debian's hardening flags without debug information (the package is stripped) and without
# the build-path map, whose absolute folder would keep ccache from reusing objects between
# clones; a Release build has no file names compiled in.
DEB_BUILDFLAGS = DEB_BUILD_MAINT_OPTIONS="hardening=+all reproducible=-fixfilepath" \
	DEB_CFLAGS_MAINT_STRIP=-g DEB_CXXFLAGS_MAINT_STRIP=-g dpkg-buildflags --get

deb: deps
	cmake -S . -B $(DEB_BUILD) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Release \
	  -DTOLVANE_TESTS=OFF -DTOLVANE_BENCH=OFF -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
	  -DCMAKE_CXX_FLAGS="$$($(DEB_BUILDFLAGS) CPPFLAGS) $$($(DEB_BUILDFLAGS) CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_BUILDFLAGS) LDFLAGS)"
	cmake --build $(DEB_BUILD) -j $(JOBS)
	rm -f $(DEB_BUILD)/*.deb
	cd $(DEB_BUILD) && cpack
	ls $(DEB_BUILD)/*.deb

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(DEB_BUILD)
