# Two commands: `make run` and `make test`. Both set up everything first.
# `make fuzz` runs the readers' fuzz targets (FUZZ_SECONDS each, default 60).
BUILD ?= build
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test build deps clean monkey fuzz package

deps:
	@./scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@./scripts/run-program $(BUILD)/ostervale

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# A long monkey over every screen: make monkey SEED=... EVENTS=...
# (a seed from the clock and 20000 events unless given; the seed is printed).
monkey: SEED ?= $(shell date +%s)
monkey: EVENTS ?= 20000
monkey: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen MONKEY_SEED=$(SEED) MONKEY_EVENTS=$(EVENTS) \
		./tests/monkey/test_monkey wanderOverEveryScreen

fuzz: deps
	@./scripts/fuzz

# ostervale_VERSION_amd64.deb, here at the top of the clone.
package: build
	@cd $(BUILD) && cpack -G DEB >/dev/null
	@cp $(BUILD)/ostervale_*_amd64.deb . && ls ostervale_*_amd64.deb

clean:
	rm -rf $(BUILD)

# `make bench`: the program timed side by side with a bare-Qt floor program
# (see README, "Benchmarks"). BENCH_BUILDS=1 also times a clean build, a build
# with nothing changed and the test run, which takes far longer.
BENCH_ROUNDS ?= 10
.PHONY: bench
bench: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOSTERVALE_BENCH=ON >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target bench_run
	@$(BUILD)/bench/bench_run $(BUILD) --rounds $(BENCH_ROUNDS) $(if $(BENCH_BUILDS),--builds $(CURDIR))
