# Everyday commands; CMake does the real work. Every target first makes sure the Debian
# packages are there (scripts/install-deps does nothing when they are).
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: run test build deps bench sanitize fuzz package cross-test clean

deps:
	scripts/install-deps

# Configuring again is cheap and picks up changed CMAKE_FLAGS.
build: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/ratsionik

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Release build of the benchmark; runs under the offscreen platform and, when xvfb-run is
# there, under X as well. Figures go to build-bench/bench-*.json.
bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DRATSIONIK_TESTS=OFF -DRATSIONIK_BENCH=ON $(CMAKE_FLAGS) >/dev/null
	cmake --build build-bench -j $(JOBS) --target ratsionik_bench
	cd build-bench && QT_QPA_PLATFORM=offscreen bench/ratsionik_bench bench-offscreen.json
	if command -v xvfb-run >/dev/null; then cd build-bench && \
	  xvfb-run -a -s "-screen 0 1280x800x24" bench/ratsionik_bench bench-x11.json; fi

# Every test again, built with AddressSanitizer (leaks checked) and UndefinedBehaviorSanitizer;
# ctest takes the options and suppressions from tests/sanitize/. The installed program started
# under X (label install) runs without the leak check: LeakSanitizer's own scan of the threads
# then crashes now and then, while Qt's xcb and D-Bus threads are ending at exit.
SANITIZE_OPTIONS = check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1
sanitize: deps
	cmake -S . -B build-sanitize -G Ninja -DRATSIONIK_SANITIZE=ON $(CMAKE_FLAGS) >/dev/null
	cmake --build build-sanitize -j $(JOBS)
	ctest --test-dir build-sanitize --output-on-failure -j $(JOBS) -LE install
	ASAN_OPTIONS=detect_leaks=0:$(SANITIZE_OPTIONS) \
	  ctest --test-dir build-sanitize --output-on-failure -j $(JOBS) -L install

# The libFuzzer targets of fuzz/ (clang, with ASan and UBSan), each for FUZZ_SECONDS from its
# seeds in fuzz/corpus/<target>, an input that runs over 10 s counting as a hang; new inputs
# collect in build-fuzz/corpus, findings in build-fuzz/findings.
FUZZ_SECONDS ?= 20
FUZZ_TARGETS = fuzz_str_to_int fuzz_number_format fuzz_ration_totals fuzz_soft_extended
fuzz:
	scripts/install-deps fuzz
	CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DRATSIONIK_TESTS=OFF -DRATSIONIK_FUZZ=ON $(CMAKE_FLAGS) >/dev/null
	cmake --build build-fuzz -j $(JOBS) --target $(FUZZ_TARGETS)
	mkdir -p build-fuzz/findings
	for target in $(FUZZ_TARGETS); do mkdir -p build-fuzz/corpus/$$target && \
	  build-fuzz/fuzz/$$target -max_total_time=$(FUZZ_SECONDS) -timeout=10 -print_final_stats=1 \
	    -artifact_prefix=build-fuzz/findings/$$target- build-fuzz/corpus/$$target fuzz/corpus/$$target \
	  || exit 1; done

# Another Debian architecture (ARCH=arm64; the host's when empty): its cross compiler, qemu and its
# libraries beside the host's (multiarch), built with cmake/$(ARCH)-linux-gnu.cmake.
ARCH ?=
CROSS_DEPS = $(if $(ARCH),cross-$(ARCH))
CROSS_FLAGS = $(if $(ARCH),-DCMAKE_TOOLCHAIN_FILE=cmake/$(ARCH)-linux-gnu.cmake)
CROSS_SUFFIX = $(if $(ARCH),-$(ARCH))

# The Debian package of a Release build: build-release/ratsionik_1.0_amd64.deb, or with ARCH
# build-release-arm64/ratsionik_1.0_arm64.deb (cpack prints it). dpkg-shlibdeps reads the
# dependencies of that architecture's libraries when DEB_HOST_ARCH names it.
package:
	scripts/install-deps package $(CROSS_DEPS)
	cmake -S . -B build-release$(CROSS_SUFFIX) -G Ninja -DCMAKE_BUILD_TYPE=Release -DRATSIONIK_TESTS=OFF $(CROSS_FLAGS) $(CMAKE_FLAGS) >/dev/null
	cmake --build build-release$(CROSS_SUFFIX) -j $(JOBS)
	cd build-release$(CROSS_SUFFIX) && $(if $(ARCH),DEB_HOST_ARCH=$(ARCH)) cpack

# Every test of a cross build (make cross-test ARCH=arm64) in build-arm64, each test program run
# under qemu's user-mode emulator; CTEST_FLAGS picks some (-L model: the model's tests only).
CTEST_FLAGS ?=
cross-test:
	@test -n "$(ARCH)" || { echo "make cross-test needs ARCH, for example ARCH=arm64" >&2; exit 2; }
	scripts/install-deps $(CROSS_DEPS)
	cmake -S . -B build$(CROSS_SUFFIX) -G Ninja $(CROSS_FLAGS) $(CMAKE_FLAGS) >/dev/null
	cmake --build build$(CROSS_SUFFIX) -j $(JOBS)
	ctest --test-dir build$(CROSS_SUFFIX) --output-on-failure -j $(JOBS) $(CTEST_FLAGS)

clean:
	rm -rf $(BUILD) build-*
