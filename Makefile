# make run      - install what is missing, build the program (Release) and start it
# make test     - install what is missing, check the formatting, build, run every
#                 test, then run the tests again in a build with AddressSanitizer
#                 and UBSan
# make bench    - build Release and run every benchmark, printing its ratios
# make install  - build Release and install under PREFIX (default /usr/local;
#                 PREFIX=$HOME/.local needs no root); DESTDIR is honoured
# make deb      - build Release and make a Debian package in $(RELEASE_BUILD)
# make fuzz     - build the libFuzzer targets (clang, ASan, UBSan) and run each
#                 for FUZZ_SECONDS (default 60); make test runs each for 10 s
BUILD ?= build
ASAN_BUILD ?= build-asan
RELEASE_BUILD ?= build-release
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)

.PHONY: run test setup build build-asan check check-asan format format-check clean \
	release-configure install deb bench fuzz fuzz-build

# The program alone: no test is configured, let alone compiled.
run: release-configure
	cmake --build $(RELEASE_BUILD) -j $(JOBS) --target brennomix
	$(abspath $(RELEASE_BUILD))/brennomix

test: format-check check check-asan
	$(MAKE) fuzz FUZZ_SECONDS=10

setup:
	./scripts/setup.sh

release-configure: setup
	cmake -S . -B $(RELEASE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRENNOMIX_TESTS=OFF \
		-DCMAKE_INSTALL_PREFIX=$(PREFIX)

install: release-configure
	cmake --build $(RELEASE_BUILD) -j $(JOBS)
	cmake --install $(RELEASE_BUILD) --strip

deb: release-configure
	cmake --build $(RELEASE_BUILD) -j $(JOBS)
	cd $(RELEASE_BUILD) && cpack -G DEB

# Benchmarks may use the tests' support code, so their build has the tests
# configured; only the benchmarks and what they run are built.
bench:
	./scripts/setup.sh bench
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRENNOMIX_TESTS=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target bench

build: setup
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRENNOMIX_TESTS=ON
	cmake --build $(BUILD) -j $(JOBS)

build-asan: setup
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRENNOMIX_TESTS=ON \
		-DBRENNOMIX_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)

check: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Under the sanitizers every test runs too; leaks inside the system's graphics
# and font libraries are not ours and are suppressed. The checks of the
# installed program and the package run once, in the plain build.
check-asan: build-asan
	cd $(ASAN_BUILD) && \
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	ctest --output-on-failure -j $(JOBS)

# Only the core rules and the fuzz targets are built, by clang.
fuzz-build: setup
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
		-DBRENNOMIX_TESTS=OFF -DBRENNOMIX_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers

fuzz: fuzz-build
	./scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

format:
	cmake --build $(BUILD) --target format

# Fails on any source that .clang-format would change (make format mends it).
format-check: setup
	git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(RELEASE_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
