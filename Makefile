# The two commands a newcomer needs: `make demo` and `make test`; `make package` for a .deb.
BUILD ?= build
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: all bootstrap build test demo package clean sanitize fuzz bench lint

all: build

bootstrap:
	@scripts/bootstrap

build: bootstrap
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

demo: build
	@scripts/demo $(BUILD)/korvath demo-out

# A Debian package of the Release build: $(BUILD)/korvath_VERSION_ARCH.deb.
package: build
	@cd $(BUILD) && cpack -G DEB

# Hardening and speed: the whole suite under AddressSanitizer and UndefinedBehaviorSanitizer,
# every built command fuzzed for FUZZ_SECONDS, and the 10 MB / 100 MB benchmark.
sanitize: bootstrap
	@cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKORVATH_SANITIZE=ON >/dev/null
	@cmake --build build-asan -j $(JOBS)
	@cd build-asan && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure --timeout 300 -j $(JOBS)

fuzz: bootstrap
	@scripts/fuzz $(FUZZ_SECONDS)

bench: bootstrap
	@scripts/bench

# Formatting, clang-tidy and cppcheck as gates over src/ and tests/ (see scripts/lint).
lint: build
	@scripts/lint

clean:
	rm -rf $(BUILD) demo-out
