# The front door. `make test` installs what is missing, builds and runs every test.
.PHONY: test bootstrap native windows windows-i686

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

# The 32-bit build must compile and link; it is not run.
windows-i686:
	cmake --preset windows-i686 >/dev/null
	cmake --build --preset windows-i686 -j $(JOBS)
