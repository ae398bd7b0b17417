# The README's commands. Each first installs what is missing, then configures,
# builds and runs. Build trees: build/release (program, benchmarks), build/test
# (address and undefined-behaviour sanitizers), build/fuzz (clang, libFuzzer).

JOBS ?= $(shell nproc)
CMAKE_COMMON = -G Ninja -Wno-dev
DEMO_RUN = build/release/demo-run
KORVALE = build/release/app/korvale/korvale

.PHONY: deps test-deps release run test unit-tests fuzz bench clean

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

test: test-deps unit-tests fuzz

unit-tests: test-deps
	cmake -S . -B build/test $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DKORVALE_SANITIZE=ON -DKORVALE_BUILD_BENCH=OFF
	cmake --build build/test --parallel $(JOBS)
	cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel $(JOBS)

fuzz: deps
	cmake -S . -B build/fuzz $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKORVALE_FUZZ=ON
	cmake --build build/fuzz --parallel $(JOBS)
	cd build/fuzz && ctest --output-on-failure --parallel $(JOBS)

bench: release
	@for b in build/release/bench/bench_*; do echo "== $$b"; $$b || exit 1; done

clean:
	rm -rf build
