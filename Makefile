# Two commands: `make run` and `make test`. Both set up everything first.
# `make fuzz` runs the readers' fuzz targets (FUZZ_SECONDS each, default 60).
BUILD ?= build
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test build deps clean monkey fuzz package sanitize mutants

deps:
	@./scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@./scripts/run-program $(BUILD)/ostervale

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen QTEST_DISABLE_STACK_DUMP=1 ctest --output-on-failure -j $(JOBS)
	@./scripts/test-ratio

# A long monkey over every screen: make monkey SEED=... EVENTS=...
# (a seed from the clock and 20000 events unless given; the seed is printed).
monkey: SEED ?= $(shell date +%s)
monkey: EVENTS ?= 20000
monkey: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen MONKEY_SEED=$(SEED) MONKEY_EVENTS=$(EVENTS) \
		./tests/monkey/test_monkey wanderOverEveryScreen

fuzz: deps
	@./scripts/fuzz

# How many small faults planted in src/ and material/ the tests catch
# (see README, "Tests"): make mutants SEED=... COUNT=... (default 1 and 40).
mutants: SEED ?= 1
mutants: COUNT ?= 40
mutants: deps
	@./scripts/mutants --seed $(SEED) --count $(COUNT)

# ostervale_VERSION_amd64.deb, here at the top of the clone.
package: build
	@cd $(BUILD) && cpack -G DEB >/dev/null
	@cp $(BUILD)/ostervale_*_amd64.deb . && ls ostervale_*_amd64.deb

# `make bench`: the program timed side by side with a bare-Qt floor program
# (see README, "Benchmarks"). BENCH_BUILDS=1 also times a clean build, a build
# with nothing changed and the test run, which takes far longer.
BENCH_ROUNDS ?= 10
.PHONY: bench
bench: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOSTERVALE_BENCH=ON >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target bench_run
	@$(BUILD)/bench/bench_run $(BUILD) --rounds $(BENCH_ROUNDS) $(if $(BENCH_BUILDS),--builds $(CURDIR))

# The whole suite again, built with AddressSanitizer and UBSan; the material
# generator runs sanitized at build time too, so the options go to the build.
# Leaks are checked; only system libraries' own leaks are suppressed.
# _FORTIFY_SOURCE stays out: its checked string functions and the address
# checker's would stand in for one another.
SANITIZE_BUILD ?= build-sanitize
SANITIZE_FLAGS := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
SANITIZE_ENV := ASAN_OPTIONS=halt_on_error=1:abort_on_error=0:detect_leaks=1:detect_stack_use_after_return=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp \
	QTEST_DISABLE_STACK_DUMP=1 QTEST_FUNCTION_TIMEOUT=900000 \
	OSTERVALE_SANITIZED=1 QT_QPA_PLATFORM=offscreen

sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DOSTERVALE_WARNINGS_AS_ERRORS=OFF -DOSTERVALE_TEST_TIMEOUT=600 -DOSTERVALE_FORTIFY=OFF \
	  "-DCMAKE_CXX_FLAGS=$(SANITIZE_FLAGS)" "-DCMAKE_EXE_LINKER_FLAGS=$(SANITIZE_FLAGS)" >/dev/null
	@$(SANITIZE_ENV) cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) ctest --output-on-failure -j $(JOBS) --timeout 600

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
