# Two commands: `make run` and `make test`. Both set up everything first.
# `make fuzz` runs the readers' fuzz targets (FUZZ_SECONDS each, default 60).
BUILD ?= build
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test build deps clean monkey fuzz

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

clean:
	rm -rf $(BUILD)
