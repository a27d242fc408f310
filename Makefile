# Vorlusk -- one-command set-up: `make run` to play, `make test` to check, `make assets` to
# regenerate everything under data/ (and print how the sounds measure in the game's mix).

BUILD_DIR ?= build
ASSET_BUILD_DIR ?= build-assets
SANITIZE_BUILD_DIR ?= build-sanitize
# Debug: under the sanitizers on 2 cores it builds in half the time of RelWithDebInfo, and the
# tests lose less than that.
SANITIZE_BUILD_TYPE ?= Debug
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

# Keeps the nested builds' output down to CMake's own progress lines.
MAKEFLAGS += --no-print-directory

# What building and playing need; `make run` installs nothing more.
PACKAGES := cmake g++ make pkg-config libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev \
            libsdl2-ttf-dev
ASSET_PACKAGES := libcairo2-dev libsndfile1-dev fonts-comfortaa
# Only the tests and benchmarks need these: GoogleTest and Google Benchmark, and for the window
# tests an X server of their own (Xvfb), screenshots (ImageMagick), key presses (xdotool) and the
# window manager's close request (Xlib).
TEST_PACKAGES := libgtest-dev libbenchmark-dev xvfb imagemagick xdotool libx11-dev
# CPack's .deb: dpkg-shlibdeps (dpkg-dev) derives the dependencies, `file` finds the programs.
PACKAGE_PACKAGES := dpkg-dev file

.PHONY: all run test build configure configure-game deps test-deps asset-deps ci-deps assets \
        asset-tools check-assets bench format check-format clean sanitize memcheck soak package record-replays

all: build

deps:
	@tools/scripts/install-packages.sh $(PACKAGES)

test-deps:
	@tools/scripts/install-packages.sh $(PACKAGES) $(TEST_PACKAGES)

asset-deps:
	@tools/scripts/install-packages.sh $(PACKAGES) $(ASSET_PACKAGES)

# Everything CI's steps need, in one run of apt.
ci-deps:
	@tools/scripts/install-packages.sh $(PACKAGES) $(TEST_PACKAGES) $(ASSET_PACKAGES) \
	    $(PACKAGE_PACKAGES) valgrind clang-format desktop-file-utils appstream lintian

configure: test-deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORLUSK_TESTS=ON >/dev/null

# The game without its tests, for playing and packaging. A build folder made here starts with the
# tests off; one that `make test` has set up keeps them, so the two share every object file.
configure-game: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	       $$([ -f $(BUILD_DIR)/CMakeCache.txt ] || echo -DVORLUSK_TESTS=OFF) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# The build folder's launcher starts the game from data/ (packaging/launcher.sh.in).
run: configure-game
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target vorlusk vorlusk-audio-probe
	@$(BUILD_DIR)/vorlusk-launch

test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# A .deb of the normal build folder (installing to /usr), its dependencies read from the shared
# libraries the game links; tools/scripts/check-package.sh installs, starts and removes it.
package: configure-game
	@tools/scripts/install-packages.sh $(PACKAGE_PACKAGES)
	@cmake --build $(BUILD_DIR) -j $(JOBS)
	@cd $(BUILD_DIR) && cpack -G DEB

# 100,000 passes of the game's own loop, random play headless at full speed with pauses, flights
# flown again and a pad plugged in and out (about 40 s of processor time per 20,000 passes):
# invariants after every pass, and the resident memory may not grow by 1 MB from pass 10,000.
soak: build
	@cd data && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ../$(BUILD_DIR)/tests/vorlusk-soak

# Figures, not pass or fail: frames, start-up and teardown in-process (five repetitions), then
# whole runs of the real program for its peak memory and its pacing on Xvfb (about 50 s).
bench: build
	@$(BUILD_DIR)/bench/vorlusk-bench --benchmark_repetitions=5 \
	    --benchmark_report_aggregates_only=true
	@$(BUILD_DIR)/bench/vorlusk-process-bench

# Every test again, on a build with AddressSanitizer and UndefinedBehaviorSanitizer; the tests
# that start the real program start the sanitized one. Any report ends its process with status 86
# and so fails its test. Allocations are traced through SDL's frames (slower, but the leak
# suppressions can then see the game's call sites), and the frame probe, preloaded ahead of the
# sanitizer's runtime, is let be. SDL renders in software here: Mesa's GL stack is not
# instrumented, leaves "leaks" behind when SDL unloads it, and its JIT deadlocks that tracing.
SANITIZE_ENV := \
    ASAN_OPTIONS=halt_on_error=1:exitcode=86:print_stacktrace=1:fast_unwind_on_malloc=0:verify_asan_link_order=0 \
    UBSAN_OPTIONS=halt_on_error=1:exitcode=86:print_stacktrace=1 \
    LSAN_OPTIONS=suppressions=$(CURDIR)/tools/sanitize/lsan.supp:print_suppressions=0 \
    SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0

# The sound asset tests measure the committed files' loudness with the meter's own code; under
# the sanitizers' debug build that takes minutes and checks no code of the game.
sanitize: test-deps
	@cmake -S . -B $(SANITIZE_BUILD_DIR) -DCMAKE_BUILD_TYPE=$(SANITIZE_BUILD_TYPE) \
	       -DVORLUSK_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD_DIR) -j $(JOBS)
	@$(SANITIZE_ENV) ctest --test-dir $(SANITIZE_BUILD_DIR) --output-on-failure -j $(JOBS) \
	    -E '^SoundAssets\.'

# 300 frames of the real program under valgrind's memcheck; fails on any error it finds. It runs
# the program of the normal build folder, as built by `make build`.
# It needs the frame probe, which is built with the tests.
memcheck: test-deps
	@tools/scripts/install-packages.sh valgrind
	@tools/scripts/memcheck.sh $(BUILD_DIR) $(JOBS)

asset-tools: asset-deps
	@cmake -S . -B $(ASSET_BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DVORLUSK_TESTS=OFF \
	       -DVORLUSK_ASSETS=ON >/dev/null
	@cmake --build $(ASSET_BUILD_DIR) -j $(JOBS) \
	       --target vorlusk-art vorlusk-carpet-echo vorlusk-sound vorlusk-compare-assets \
	       vorlusk-compare-assets-test vorlusk-measure

assets: asset-tools
	@$(ASSET_BUILD_DIR)/tools/art/vorlusk-art data
	@$(ASSET_BUILD_DIR)/tools/art/vorlusk-carpet-echo data/Sprite_Sheet/BG_Carpet.jpg
	@$(ASSET_BUILD_DIR)/tools/sound/vorlusk-sound data
	@tools/scripts/copy-font.sh data
	@$(ASSET_BUILD_DIR)/tools/sound/vorlusk-measure data

# Generates everything again into a folder of its own and compares it with data/ by what the files
# decode to, within limits that a distribution's new cairo, libjpeg, LAME or libsndfile stays
# inside (tools/check-assets/). LICENSE.md is written by hand, so it is taken as it is. The
# comparer first shows on copies of data/'s files that it passes what it should and fails the rest.
check-assets: asset-tools
	@log=$(ASSET_BUILD_DIR)/compare-assets-test.log; \
	 $(ASSET_BUILD_DIR)/tools/check-assets/vorlusk-compare-assets-test data >$$log 2>&1 && \
	 echo "comparer's own cases: $$(tail -n 1 $$log)" || { cat $$log; exit 1; }
	@fresh=$$(mktemp -d) && trap 'rm -rf "$$fresh"' EXIT && \
	 $(ASSET_BUILD_DIR)/tools/art/vorlusk-art "$$fresh" && \
	 $(ASSET_BUILD_DIR)/tools/sound/vorlusk-sound "$$fresh" && \
	 tools/scripts/copy-font.sh "$$fresh" && cp data/LICENSE.md "$$fresh" && \
	 cp -r data/Replays "$$fresh" && \
	 $(ASSET_BUILD_DIR)/tools/check-assets/vorlusk-compare-assets data "$$fresh"

# Flies the replays the tests verify and the start screen's demo again. Only for a deliberate
# change of the flight's rules: say why in the commit.
record-replays: build
	@cd data && ../$(BUILD_DIR)/tools/replays/vorlusk-record-replays ../tests/replays \
	    Replays/demo.vrp

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

check-format:
	@clang-format --dry-run -Werror $$(git ls-files '*.cpp' '*.h')

clean:
	@rm -rf $(BUILD_DIR) $(ASSET_BUILD_DIR) $(SANITIZE_BUILD_DIR)
