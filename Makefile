# make run   - install what is missing, build, start the launcher
# make test  - install what is missing, check the formatting, build, run every
#              test, then run the tests again in a build with AddressSanitizer
#              and UBSan
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)

.PHONY: run test setup build build-asan check check-asan format format-check clean

run: build
	./$(BUILD)/brennomix

test: format-check check check-asan

setup:
	./scripts/setup.sh

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
# and font libraries are not ours and are suppressed.
check-asan: build-asan
	cd $(ASAN_BUILD) && \
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	ctest --output-on-failure -j $(JOBS)

format:
	cmake --build $(BUILD) --target format

# Fails on any source that .clang-format would change (make format mends it).
format-check: setup
	git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
