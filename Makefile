# The two commands of the README, and a few more for developers.
#   make run   installs what is missing, builds, and starts the diary (under Wine on Linux)
#   make test  installs what is missing, builds native, windows and fuzz, and runs every test
#   make dist  builds the downloads into dist/: the installer, the portable zip, SHA256SUMS
#              and the winget manifests (make dist SIGN_CERT=cert.pem SIGN_KEY=key.pem signs them;
#              DOWNLOAD_URL=https://... says where they are published), then checks that a
#              second build from nothing gives the same bytes
.PHONY: run test setup native windows test-native test-windows fuzz bench clean dist

RUN_DIR ?= $(CURDIR)/diary-data

setup:
	@scripts/setup

native: setup
	cmake --preset native >/dev/null
	cmake --build --preset native

windows: setup
	cmake --preset windows >/dev/null
	cmake --build --preset windows

run: windows
	@mkdir -p "$(RUN_DIR)"
	cd "$(RUN_DIR)" && WKB_BUILD_DIR=$(CURDIR)/build/windows $(CURDIR)/scripts/wine-run $(CURDIR)/build/windows/winwkb.exe

test-native: native
	ctest --preset native

test-windows: windows
	ctest --preset windows

# Only the program is built; the Windows tests are not needed for the downloads.
dist: setup
	cmake --preset windows >/dev/null
	cmake --build --preset windows --target winwkb
	SIGN_CERT="$(SIGN_CERT)" SIGN_KEY="$(SIGN_KEY)" DOWNLOAD_URL="$(DOWNLOAD_URL)" scripts/make-dist build/windows dist
	scripts/check-reproducible build/windows

test: setup
	@scripts/run-tests

# Long fuzzing runs (FUZZ_SECONDS per target); not part of make test, which runs short ones.
fuzz: setup
	@scripts/fuzz

# The benchmarks over a full store; not part of make test (CI never fails on a time).
bench: setup
	@scripts/bench

clean:
	rm -rf build dist
