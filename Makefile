# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands of the README:
#   make run    install what is missing, build, start the program
#   make test   install what is missing, build, run every test: the ordinary
#               build, everything again under AddressSanitizer and UBSan, and a
#               short run of every fuzz target
# and for reliability work:
#   make fuzz          every fuzz target for FUZZ_SECONDS (60) each
#   make check-memory  the headless tests under valgrind memcheck
#   make reliability   the kill tests with many more kills than make test's
# and for distributions:
#   make deb           the Debian source and binary packages, in build/deb/

BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
BENCH_REPS ?= 20
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSURASURA_WERROR=ON
FUZZ_SECONDS ?= 60
FUZZ_SMOKE_SECONDS ?= 10

# Leak reports of the toolkit's own libraries (fonts, X connection, plugins)
# are left out by name; a leak in the program's code is still reported.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: deps configure build run test unit-test asan-test fuzz-build fuzz fuzz-smoke check-memory reliability \
        screenshots bench clean

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

# Every test once more, the windows and the end-to-end runs of the program
# included, with everything built under AddressSanitizer and UBSan.
asan-test: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSURASURA_WERROR=ON -DSURASURA_SANITIZE=ON
	$(SANITIZER_ENV) cmake --build $(ASAN_BUILD) -j $(JOBS)
	$(SANITIZER_ENV) ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# The fuzz targets, built with clang and libFuzzer in a build of their own.
fuzz-build: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSURASURA_WERROR=ON \
	  -DSURASURA_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

fuzz: fuzz-build
	bash tools/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

fuzz-smoke: fuzz-build
	bash tools/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SMOKE_SECONDS)

test: unit-test asan-test fuzz-smoke check-memory

check-memory: build
	bash tools/check-memory.sh $(BUILD)

# Ten times the kills of the ordinary tests (the headless kill test) and four
# times those of the end-to-end one, on the ordinary build.
reliability: build
	SURASURA_KILL_COUNT=5000 $(BUILD)/tests/reliability/reliability_tests --gtest_filter=KillTest.*
	SURASURA_E2E_KILLS=200 python3 tests/e2e/run_e2e.py $(BUILD)/src/app/surasura kill_after_last_enter

# The Debian packages, built by dpkg-buildpackage from debian/ in a scratch copy
# of the tree: the .deb, .changes, .buildinfo and the source package (.dsc,
# .tar.xz) land in build/deb/. `make package` is the same.
DEB_DIR ?= $(BUILD)/deb
.PHONY: deb package
deb: deps
	bash tools/build-deb.sh $(DEB_DIR) $(JOBS)

package: deb

# The pictures in docs/, made under Xvfb: the main window at rest, during and at
# the end of a drill and at 120 pixels per inch, the graph window plain and
# zoomed, a hint, and the chart's printed page (saved as PDF, rendered by pdftoppm).
screenshots: build
	python3 tools/screenshots.py $(BUILD)/src/app/surasura docs
	bash tools/screenshot-hint.sh $(BUILD)/src/app/surasura docs/hint-start-button.png
	python3 tests/e2e/run_wayland.py $(BUILD)/src/app/surasura $(BUILD)/tests/e2e/weston_seat.so screen \
	  docs/wayland-main-window.png

# Benchmarks (not tests: they print figures and fail on no time). Installs the
# two charting libraries the chart is compared with; the program never links them.
bench: deps
	bash tools/install-bench-deps.sh
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target chart_bench history_bench drill_bench \
	  startup_probe empty_window startup_bench bench_plot
	bash bench/run-bench.sh $(BENCH_BUILD) $(BENCH_REPS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD)
