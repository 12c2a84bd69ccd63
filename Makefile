# Two commands: `make run` and `make test`. Both set up everything first.
BUILD ?= build
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test build deps clean package

deps:
	@./scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@./scripts/run-program $(BUILD)/ostervale

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# ostervale_VERSION_amd64.deb, here at the top of the clone.
package: build
	@cd $(BUILD) && cpack -G DEB >/dev/null
	@cp $(BUILD)/ostervale_*_amd64.deb . && ls ostervale_*_amd64.deb

clean:
	rm -rf $(BUILD)
