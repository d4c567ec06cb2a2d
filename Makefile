# The two commands of the README:
#   make run    install what is missing, build, start the program
#   make test   install what is missing, build, run every test (plus a sanitizer build)

BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
BENCH_REPS ?= 20
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSURASURA_WERROR=ON

.PHONY: deps configure build run test unit-test asan-test screenshots bench clean

deps:
	bash tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display: starting under xvfb-run (see README)"; \
	  xvfb-run -a $(BUILD)/src/app/surasura; \
	else \
	  $(BUILD)/src/app/surasura; \
	fi

unit-test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The engine, history and chart tests once more under AddressSanitizer and UBSan.
asan-test: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSURASURA_WERROR=ON \
	  -DSURASURA_SANITIZE=ON -DSURASURA_BUILD_APP=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

test: unit-test asan-test

# The Debian package, in build/package/ (the package test in `make test` makes its own).
.PHONY: package
package: build
	cpack --config $(BUILD)/CPackConfig.cmake -B $(BUILD)/package

# The pictures in docs/, made under Xvfb: the main window at rest, during and at
# the end of a drill and at 120 pixels per inch, the graph window plain and
# zoomed, and a hint.
screenshots: build
	python3 tools/screenshots.py $(BUILD)/src/app/surasura docs
	bash tools/screenshot-hint.sh $(BUILD)/src/app/surasura docs/hint-start-button.png

# Benchmarks (not tests: they print figures and fail on no time). Installs the
# two charting libraries the chart is compared with; the program never links them.
bench: deps
	bash tools/install-bench-deps.sh
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target chart_bench history_bench drill_bench \
	  startup_probe empty_window startup_bench bench_plot
	bash bench/run-bench.sh $(BENCH_BUILD) $(BENCH_REPS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD)
