# Everyday commands; CMake does the real work. Every target first makes sure the Debian
# packages are there (scripts/install-deps does nothing when they are).
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: run test build deps clean

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

clean:
	rm -rf $(BUILD) build-*
