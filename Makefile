# Front door of the project: `make run` and `make test` work on a fresh Debian 12 machine.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= 2
CMAKE_FLAGS ?=
XVFB = sh scripts/with-display.sh

.PHONY: all deps deps-test build test-build run test test-asan test-large asan clean

all: build

# What building and running morvac needs; deps-test adds what the tests need.
deps:
	@sh scripts/install-deps.sh run
deps-test:
	@sh scripts/install-deps.sh test

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# Builds morvac alone, translates the bundled example and shows the result.
run: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target morvac
	cd examples && ../$(BUILD)/driver/morvac watch_dog; status=$$?; echo; \
	  echo "--- examples/watch_dog.qrl (exit status $$status) ---"; cat watch_dog.qrl

# Everything, the tests included (a build configured by `make run` has none).
test-build: deps-test
	cmake -S . -B $(BUILD) -DMORVAC_TESTS=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

# The whole suite; windows open on a virtual X server. Tests labelled "large" are left out.
test: test-build
	MORVAC_REQUIRE_DISPLAY=1 $(XVFB) ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) -LE large

# The tests labelled "large": texts past 2^31 characters, up to 8 GiB of memory, one at a time.
test-large: test-build
	MORVAC_LARGE_TESTS=1 ctest --test-dir $(BUILD) --output-on-failure -L large

# The same suite built with AddressSanitizer and UndefinedBehaviorSanitizer, less the package
# test: the packages are built from the sources whatever the build, and `make test` checks them.
asan: deps-test
	cmake -S . -B $(ASAN_BUILD) -DMORVAC_TESTS=ON -DMORVAC_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)

test-asan: asan
	MORVAC_REQUIRE_DISPLAY=1 $(XVFB) ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS) -LE 'large|package'

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)

# Coverage-guided fuzzing with libFuzzer (clang): FUZZ_SECONDS per target.
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
.PHONY: fuzz
fuzz:
	@sh scripts/install-deps.sh test clang libclang-rt-14-dev
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DMORVAC_TESTS=ON -DMORVAC_LIBFUZZER=ON -DMORVAC_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	sh scripts/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Benchmarks (not tests): they print tables of measured ratios.
BENCH_SCALE ?= 1
.PHONY: bench
bench: build
	$(BUILD)/bench/translation_scaling $(BUILD)/driver/morvac
	$(BUILD)/bench/morvac_bench $(BUILD)/driver/morvac $(BUILD)/bench/floor $(BENCH_SCALE)
	$(BUILD)/bench/stringpp_scaling
	$(BUILD)/bench/check_bench $(BUILD)/driver/morvac $(BUILD)/checker/morvac-check $(BENCH_SCALE)
	$(BUILD)/bench/sock_burst

# The Debian packages of morvac and its libraries (debian/), built by dpkg-buildpackage from a
# copy of the work tree, left in $(BUILD)/packages.
.PHONY: package
package:
	@sh scripts/install-deps.sh run debhelper
	sh scripts/build-packages.sh $(BUILD)/packages

# A bare Debian 12 root (mmdebstrap) runs `make run` and `make test` from a clone of HEAD, then
# installs the packages that `make test` built and uses them: proves that the install step
# misses nothing. Needs root; the root is cached in /var/cache.
.PHONY: fresh-check
fresh-check:
	@sh scripts/install-deps.sh run mmdebstrap
	sh scripts/fresh-check.sh

# Mutation sweep (not part of test): each one-line mutation of tests/mutants/*.list is built in
# a scratch copy ($(MUTANTS_DIR)) and run against its tests; prints caught or survived for each
# and a total. MUTANTS_ARGS="-k TEXT" runs only the mutations whose name contains TEXT.
MUTANTS_DIR  ?= build-mutants
MUTANTS_ARGS ?=
.PHONY: mutants
mutants:
	@sh scripts/install-deps.sh test ninja-build ccache
	sh scripts/mutants.sh -d $(MUTANTS_DIR) -j $(JOBS) $(MUTANTS_ARGS) tests/mutants/*.list
