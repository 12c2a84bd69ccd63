# Two commands: `make run` and `make test`. Both set up everything first.
BUILD ?= build
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test build deps clean

deps:
	@./scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@./scripts/run-program $(BUILD)/ostervale

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

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
