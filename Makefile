# Two entry points for a fresh Debian 12 machine:
#   make test   install what is missing, build, run every test (also under ASan/UBSan)
#   make run    install what is missing, build, run the program
.PHONY: deps build build-asan build-windows test run bench clean

deps:
	@scripts/install-deps.sh

build: deps
	cmake --preset default >/dev/null
	cmake --build --preset default

build-asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan

# sentex.dll alone, cross-compiled for 32-bit Windows; its test checks the export table.
build-windows: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows

# The sanitizer run comes first so that the output ends with the full test summary.
test: build-asan build build-windows
	ctest --preset asan
	ctest --preset windows
	ctest --preset default

# The tray program; without a desktop it says so in one line and ends with an error.
run: build
	mkdir -p "build/Jotwise Data"
	build/shell/jotwise

bench: build
	build/bench/sentex_bench
	build/bench/store_bench
	build/bench/session_bench
	build/bench/keywords_bench
	build/bench/note_bench
	build/bench/quick_add_bench
	bench/add_bench.sh build/shell/jotwise build/outlook/local/jotwise-store
	scripts/with-xvfb.sh build/bench/window_bench
	scripts/with-xvfb.sh --tray bench/startup_bench.sh build/shell/jotwise \
		build/outlook/local/jotwise-store
	scripts/with-xvfb.sh --tray bench/command_bench.sh build/shell/jotwise \
		build/outlook/local/jotwise-store
	build/bench/mirror_bench
	build/bench/recurrence_bench
	bench/quick_add_load.sh build/shell/jotwise build/outlook/local/jotwise-store

clean:
	rm -rf build build-asan build-windows
