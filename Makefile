# Vorlusk -- one-command set-up: `make run` to play, `make test` to check, `make assets` to
# regenerate everything under data/.

BUILD_DIR ?= build
ASSET_BUILD_DIR ?= build-assets
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

# Keeps the nested builds' output down to CMake's own progress lines.
MAKEFLAGS += --no-print-directory

PACKAGES := cmake g++ make pkg-config libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev \
            libsdl2-ttf-dev libgtest-dev libbenchmark-dev
ASSET_PACKAGES := libcairo2-dev libsndfile1-dev fonts-comfortaa

.PHONY: all run test build configure deps asset-deps assets bench record-replays format check-format clean

all: build

deps:
	@tools/install-packages.sh $(PACKAGES)

asset-deps:
	@tools/install-packages.sh $(PACKAGES) $(ASSET_PACKAGES)

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# Playing needs only the game and the sound-device probe, not the tests.
run: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target vorlusk vorlusk-audio-probe
	@tools/run-game.sh $(BUILD_DIR)/vorlusk $(BUILD_DIR)/vorlusk-audio-probe

test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# Re-records the whole-flight traces after an intended change of the game's behaviour.
record-replays: build
	@cd data && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy VORLUSK_RECORD_REPLAYS=1 \
	    ../$(BUILD_DIR)/tests/vorlusk-tests --gtest_filter='ReplayTest.*'

# Five runs of each benchmark, reported as mean, median and spread.
bench: build
	@$(BUILD_DIR)/bench/vorlusk-bench --benchmark_repetitions=5 \
	    --benchmark_report_aggregates_only=true

assets: asset-deps
	@cmake -S . -B $(ASSET_BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DVORLUSK_TESTS=OFF \
	       -DVORLUSK_ASSETS=ON >/dev/null
	@cmake --build $(ASSET_BUILD_DIR) -j $(JOBS) --target vorlusk-art vorlusk-sound
	@$(ASSET_BUILD_DIR)/tools/art/vorlusk-art data
	@$(ASSET_BUILD_DIR)/tools/sound/vorlusk-sound data
	@tools/copy-font.sh data

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

check-format:
	@clang-format --dry-run -Werror $$(git ls-files '*.cpp' '*.h')

clean:
	@rm -rf $(BUILD_DIR) $(ASSET_BUILD_DIR)
