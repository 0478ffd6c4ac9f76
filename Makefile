# The front door. `make test` installs what is missing, builds and runs every test.
.PHONY: test bench bootstrap native windows windows-i686

JOBS ?= 2
MAKEFLAGS += --no-print-directory
WITH_WINE = scripts/with-wine --prefix build/windows/wineprefix

test: bootstrap native windows windows-i686

bootstrap:
	@scripts/bootstrap

native:
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS)
	ctest --preset native -j $(JOBS)

windows:
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS)
	$(WITH_WINE) ctest --preset windows

# Times the transfer under Wine over trees of 100,000 and 200,000 files, made
# in the test prefix on the first run.
bench: bootstrap
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS) --target listora_make_tree
	build/native/listora_make_tree build/windows/wineprefix/drive_c/listora-bench
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS) --target listora_bench
	$(WITH_WINE) build/windows/listora_bench.exe

# The 32-bit build must compile and link; it is not run.
windows-i686:
	cmake --preset windows-i686 >/dev/null
	cmake --build --preset windows-i686 -j $(JOBS)
