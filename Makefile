# Two commands for a newcomer: `make run` and `make test`. Everything else is optional.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
XVFB = xvfb-run -a -s "-screen 0 1024x768x24"

.PHONY: all deps configure build run test test-asan fuzz soak bench format clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/stage && ./tobli

test: build
	cd $(BUILD) && $(XVFB) ctest --output-on-failure -j $(JOBS)
	@if [ -x scripts/extra-tests ]; then BUILD=$(BUILD) scripts/extra-tests; fi

test-asan:
	@LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan-suppressions.txt:print_suppressions=0 ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 $(MAKE) --no-print-directory test BUILD=build-asan CMAKE_FLAGS="-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTOBLI_SANITIZE=ON -DTOBLI_FUZZ=ON -DTOBLI_BENCH=OFF '-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -gline-tables-only -DNDEBUG' '-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -gline-tables-only -DNDEBUG'"
	@BUILD=build-asan scripts/run-fuzzers smoke
	@BUILD=build-asan scripts/run-soak short

fuzz: deps
	@BUILD=build-asan scripts/run-fuzzers long

soak: deps
	@BUILD=build-asan scripts/run-soak long

bench: build
	@scripts/run-bench

format:
	@git ls-files -co --exclude-standard -- 'src/*' 'tools/*' 'tests/*' 'fuzz/*' 'bench/*' | \
	  grep -E '\.(cpp|h)$$' | xargs -r clang-format -i

clean:
	rm -rf $(BUILD)
