# The README's commands. Each first installs what is missing, then configures,
# builds and runs. Build trees: build/release (program, benchmarks), build/test
# (address and undefined-behaviour sanitizers), build/fuzz (clang, libFuzzer),
# build/check (g++ at -O2, as a packager builds).

JOBS ?= $(shell nproc)
# Our own builds treat warnings as errors; a packager's plain configure does not.
CMAKE_COMMON = -G Ninja -Wno-dev -DKORVALE_WERROR=ON
DEMO_RUN = build/release/demo-run
KORVALE = build/release/app/korvale/korvale

.PHONY: deps test-deps release run test unit-tests fuzz build-check bench clean

deps:
	@scripts/install-deps

# The tests also need what only they use (LibreOffice Writer, pdftoppm).
test-deps:
	@scripts/install-deps --test

release: deps
	cmake -S . -B build/release $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Release
	cmake --build build/release --parallel $(JOBS)

# The folder chooser of a first start opens on the demo run; a last directory
# the user chose is kept. Without a display the program says how to start it.
run: release
	cmake --build build/release --target demo_run
	@scripts/set-last-directory $(KORVALE).cfg "$(abspath $(DEMO_RUN))"
	$(KORVALE)

test: test-deps unit-tests fuzz build-check

# The sanitized builds keep line tables only (-g1, -gline-tables-only):
# reports still name function, file and line, and the builds take about a
# quarter less time than with full debugging information.
unit-tests: test-deps
	cmake -S . -B build/test $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DKORVALE_SANITIZE=ON -DKORVALE_BUILD_BENCH=OFF
	cmake --build build/test --parallel $(JOBS)
	cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel $(JOBS)

fuzz: deps
	cmake -S . -B build/fuzz $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKORVALE_FUZZ=ON \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -gline-tables-only -DNDEBUG"
	cmake --build build/fuzz --parallel $(JOBS)
	cd build/fuzz && ctest --output-on-failure --parallel $(JOBS)

# The libraries and the program as a packager builds them (RelWithDebInfo, -O2),
# whose optimiser reports warnings that the -O1 test build and the -O3
# release build do not. Without sanitizers, this build also runs the viewer
# under a limited address space.
build-check: deps
	cmake -S . -B build/check $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ -DKORVALE_BUILD_TESTS=OFF -DKORVALE_BUILD_BENCH=OFF
	cmake --build build/check --parallel $(JOBS) --target korvale_libraries korvale_memory_check
	QT_QPA_PLATFORM=offscreen build/check/tests/memory/korvale_memory_check

bench: release
	@for b in build/release/bench/bench_*; do echo "== $$b"; $$b || exit 1; done

clean:
	rm -rf build
