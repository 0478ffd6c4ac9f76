# The front door. `make test` installs what is missing, builds and runs every test.
.PHONY: test bootstrap format format-check native sanitize tsan windows windows-i686 program run screenshot dist bench stress fuzz lint

JOBS ?= 2
MAKEFLAGS += --no-print-directory
WITH_WINE = scripts/with-wine --prefix build/windows/wineprefix

test: bootstrap format-check native sanitize tsan windows windows-i686

bootstrap:
	@scripts/bootstrap

# Every C++ file of the repository, product and tests alike, as .clang-format says.
CLANG_FORMAT = clang-format-14
FORMATTED = $(wildcard $(shell git ls-files -co --exclude-standard '*.cpp' '*.h'))

format: bootstrap
	$(CLANG_FORMAT) -i $(FORMATTED)

format-check: bootstrap
	@$(CLANG_FORMAT) --dry-run -Werror $(FORMATTED) || { echo "format-check: run make format"; exit 1; }

native:
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS)
	ctest --preset native -j $(JOBS)

# The core tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer,
# and the fuzz targets over their committed corpus; any finding stops the test
# that made it.
sanitize:
	cmake --preset native-sanitize >/dev/null
	cmake --build --preset native-sanitize -j $(JOBS) --target core_tests fuzz_targets
	ctest --preset native-sanitize -j $(JOBS) -E artwork_is_current

# The core tests again under ThreadSanitizer: the folders are read ahead on
# threads of their own.
tsan:
	cmake --preset native-tsan >/dev/null
	cmake --build --preset native-tsan -j $(JOBS) --target core_tests
	ctest --preset native-tsan -j $(JOBS) -R 'ListingTest|PrefetchingSearchTest'

# Wine very rarely fails to start a test process at all (no output, a few
# milliseconds); such a test is run once more. A test that really fails,
# fails twice.
windows:
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS)
	$(WITH_WINE) ctest --preset windows --repeat until-pass:2

# The 32-bit build must compile and link; it is not run.
windows-i686:
	cmake --preset windows-i686 >/dev/null
	cmake --build --preset windows-i686 -j $(JOBS)

# Listora.exe alone, and the helper that poses it for screenshots; like the
# tests, it installs what is missing first.
program: bootstrap
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS) --target Listora screenshot_pose

# Starts Listora.exe under Wine on your display.
run: program
	@scripts/run

# A PNG of the main window, taken on a virtual display.
screenshot: program
	@scripts/screenshot

# dist/Listora.zip: the program, its help page and its README.
dist: program
	@scripts/dist build/windows dist/Listora.zip

# Speed under Wine (see bench/): the transfer over trees of 100,000 and
# 200,000 files, made in the test prefix on the first run, and the browser
# with a big folder.
bench: bootstrap
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS) --target listora_make_tree
	build/native/listora_make_tree build/windows/wineprefix/drive_c/listora-bench
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS) --target listora_bench program_bench browser_bench reader_bench
	$(WITH_WINE) build/windows/listora_bench.exe
	$(WITH_WINE) build/windows/program_bench.exe
	$(WITH_WINE) build/windows/program_bench.exe --breakdown
	$(WITH_WINE) build/windows/reader_bench.exe
	$(WITH_WINE) build/windows/browser_bench.exe

# Listora.exe under hostile conditions (see bench/stress_bench.cpp): a contested
# clipboard and a changing tree through a transfer of 100,000 files, and 1,000
# transfers in one run (about 20 minutes). The tests run it small.
stress: bootstrap
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS) --target listora_make_tree
	build/native/listora_make_tree build/windows/wineprefix/drive_c/listora-bench
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS) --target stress_bench
	$(WITH_WINE) build/windows/stress_bench.exe

# Each fuzz target (tests/fuzz) for FUZZ_SECONDS under libFuzzer with the
# sanitizers (clang 14), from the committed corpus; new inputs go to
# build/fuzz/corpus, an input that fails to build/fuzz/findings.
FUZZ_TARGETS = $(patsubst tests/fuzz/%_fuzz.cpp,%,$(wildcard tests/fuzz/*_fuzz.cpp))
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/bootstrap fuzz
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS) --target fuzz_targets
	@mkdir -p build/fuzz/findings
	@for t in $(FUZZ_TARGETS); do \
	    mkdir -p build/fuzz/corpus/$$t; \
	    build/fuzz/$${t}_fuzz build/fuzz/corpus/$$t tests/fuzz/corpus/$$t -max_total_time=$(FUZZ_SECONDS) \
	        -timeout=10 -artifact_prefix=build/fuzz/findings/$$t- >build/fuzz/$$t.log 2>&1 \
	        || { tail -n 40 build/fuzz/$$t.log; echo "fuzz: $$t failed; see build/fuzz/findings"; exit 1; }; \
	    echo "fuzz: $$t: $$(grep -a '^Done' build/fuzz/$$t.log)"; \
	done

# clang-tidy over the core's sources (checks in .clang-tidy); any warning
# fails. Its counts of what it left out of other code are dropped.
LINT_SOURCES = $(wildcard text/*.cpp engine/*.cpp presets/*.cpp browser/*.cpp about/*.cpp command_line/*.cpp)
lint: SHELL := /bin/bash
lint: .SHELLFLAGS := -o pipefail -c
lint:
	@scripts/bootstrap lint
	cmake --preset lint >/dev/null
	clang-tidy-14 -p build/lint --quiet $(LINT_SOURCES) 2>&1 | sed '/^[0-9]* warnings\? generated\.$$/d'
