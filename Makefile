# The front door: every target installs what it needs first.
JOBS ?= $(shell nproc)
# The order the test programs' tests run in, each program in one process.
SHUFFLE_SEED ?= 1
GEN  := -G Ninja

.PHONY: deps build run test unload-check contract-check gallery-check bench fuzz fuzz-smoke clean

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B build $(GEN) -DCMAKE_BUILD_TYPE=Release
	cmake --build build -j $(JOBS)

run: build
	@scripts/run-browser build

test: deps
	cmake -S . -B build-test $(GEN) -DCMAKE_BUILD_TYPE=Debug -DBRANNIK_SANITIZE=ON
	cmake --build build-test -j $(JOBS)
	cd build-test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 600
	QT_QPA_PLATFORM=offscreen scripts/run-tests-shuffled build-test $(SHUFFLE_SEED) $(JOBS)
	@$(MAKE) --no-print-directory build
	@$(MAKE) --no-print-directory unload-check
	@$(MAKE) --no-print-directory contract-check
	@$(MAKE) --no-print-directory gallery-check
	@$(MAKE) --no-print-directory fuzz-smoke

# Every shared library loaded and unloaded by a host program in Release, where
# the sanitizers cannot hide a fault of start-up or shut-down; builds only the
# libraries and the host.
unload-check: deps
	cmake -S . -B build $(GEN) -DCMAKE_BUILD_TYPE=Release
	cmake --build build -j $(JOBS) --target library_unload_check

# A calling program against the Release libbranutl.so and libbrandlg.so: it
# opens both at run time and calls the dialog exports with its own objects.
contract-check: deps
	cmake -S . -B build $(GEN) -DCMAKE_BUILD_TYPE=Release
	cmake --build build -j $(JOBS) --target dialog_contract_check

# The dialog gallery as the README starts it, from the Release tree, run
# headless to its end: every dialog opens, is closed, and the program ends 0.
gallery-check: deps
	cmake -S . -B build $(GEN) -DCMAKE_BUILD_TYPE=Release
	cmake --build build -j $(JOBS) --target dialog_gallery
	QT_QPA_PLATFORM=offscreen build/dialogs/dialog_gallery --close-each

bench: build
	@scripts/run-benchmarks build

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz $(GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRANNIK_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS) --target fuzz_targets

# A short fixed run of every fuzz target from its seed corpus, so regressions show in CI.
fuzz-smoke: fuzz
	@scripts/run-fuzzers build-fuzz 2000

clean:
	rm -rf build build-test build-fuzz
