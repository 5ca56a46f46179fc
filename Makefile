# make run   - install what is missing, build, open the window
# make test  - install what is missing, build, run every test
# make package - the .deb, in the build folder; then the Windows zip and installer, in
#                build-win (skipped, with a word, without mingw-w64 or makensis)
# make check - the format and clang-tidy checks, then the tests once more under
#              AddressSanitizer and UBSan
# make bench - the benchmarks and their table of goals
# make windows - quorbin.exe and quorbin-run.exe for Windows, cross-compiled, in build-win

BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_BENCH ?= build-bench
BUILD_WIN  ?= build-win
JOBS       ?= 2
GENERATOR  := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
WERROR     := $(if $(CI),-DQUORBIN_WERROR=ON,)

.PHONY: all deps build run test package check format-check tidy bench windows clean

all: build

deps:
	@tools/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(WERROR)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "quorbin: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set); run it inside a graphical session."; \
		exit 1; \
	fi
	$(BUILD)/src/quorbin

# The native tests, then the Windows build's tests under Wine (skipped, with a word,
# where mingw-w64 or Wine could not be installed).
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	JOBS=$(JOBS) tools/windows test $(BUILD_WIN)

windows: deps
	JOBS=$(JOBS) tools/windows build $(BUILD_WIN)

package: build
	cmake --build $(BUILD) --target package
	JOBS=$(JOBS) tools/windows package $(BUILD_WIN)

check: deps format-check tidy
	cmake -S . -B $(BUILD_ASAN) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DQUORBIN_SANITIZE=ON $(WERROR)
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 ctest --test-dir $(BUILD_ASAN) --output-on-failure -j $(JOBS)

# Every C++ file of the tree is as clang-format leaves it.
format-check:
	git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

# clang-tidy over the sources of the program, with the checks of .clang-tidy.
tidy: build
	run-clang-tidy -p $(BUILD) -j $(JOBS) -quiet "$(CURDIR)/src/" >$(BUILD)/tidy.log 2>&1 || \
		{ grep -E 'warning:|error:' $(BUILD)/tidy.log | grep -v 'warnings generated'; exit 1; }
	@echo "clang-tidy: no findings in src/"

bench: deps
	cmake -S . -B $(BUILD_BENCH) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DQUORBIN_BENCH=ON -DQUORBIN_TESTS=OFF
	cmake --build $(BUILD_BENCH) -j $(JOBS)
	bench/run $(BUILD_BENCH)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_BENCH) $(BUILD_WIN)
