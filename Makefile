# Front door: `make demo` and `make test` work on a fresh Debian machine as root.
.PHONY: deps configure build demo test test-default test-asan format-check bench fuzz format clean

deps:
	@scripts/install-deps.sh

configure: deps
	cmake --preset default >/dev/null

build: configure
	cmake --build --preset default

# The demo builds only what it runs; `make build` builds everything, tests included.
demo: configure
	cmake --build --preset default --target demo_programs
	@scripts/demo.sh build/default

test-default: build
	ctest --preset default

test-asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan
	ctest --preset asan

# Every source file as the checked-in .clang-format lays it out.
format-check: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

test: format-check test-default test-asan

bench: build
	@scripts/bench.sh build/default

# Each libFuzzer harness for FUZZ_SECONDS (default 60).
FUZZ_SECONDS ?= 60
fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz --target fuzzers
	scripts/fuzz.sh build/fuzz $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build out
