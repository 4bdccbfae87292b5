# Ladderly: `make run` and `make test` do all the set-up on a fresh Debian 12 machine.

JOBS ?= $(shell nproc)
BUILD := build/release
ASAN_BUILD := build/asan
FUZZ_BUILD := build/fuzz
PACKAGE_BUILD := build/package
STAGE := stage
FUZZ_SECONDS ?= 60
MUTANTS ?= 150
SEED ?= 26
# Our own builds treat warnings as errors; a plain cmake (a packager's) does not.
CONFIGURE := cmake -S . -DLADDERLY_WERROR=ON

.PHONY: all deps build game stage run screenshot package test test-release test-asan fuzz-build fuzz-check fuzz bench data pictures sounds format mutate

all: build

deps:
	@./scripts/install-deps.sh

build: deps
	@$(CONFIGURE) -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# Only what the installation holds (the game, ladderly-tool, the image library, the icons), not
# the tests and benchmarks.
game: deps
	@$(CONFIGURE) -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target ladderly_installation

stage: game
	@rm -rf $(STAGE)
	@cmake --install $(BUILD) --prefix $(CURDIR)/$(STAGE) >/dev/null
	@echo "Staged the game in $(STAGE)/"

run: stage
	@./scripts/run-staged.sh $(STAGE)

# The picture of the first screen the README shows.
screenshot: stage
	@./scripts/screenshot.sh $(STAGE) docs/screenshot.png

# The Debian package, built as a packager would: no tests, Debian's hardening flags. Writes
# ladderly_<version>_<arch>.deb here and lists what lintian says about it (failing on an error).
HARDENING := DEB_BUILD_MAINT_OPTIONS=hardening=+all
package: deps
	@$(CONFIGURE) -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
	    -DCMAKE_CXX_FLAGS="$$($(HARDENING) dpkg-buildflags --get CPPFLAGS) $$($(HARDENING) dpkg-buildflags --get CXXFLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="$$($(HARDENING) dpkg-buildflags --get LDFLAGS)" >/dev/null
	@cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	@rm -rf $(PACKAGE_BUILD)/deb
	@cd $(PACKAGE_BUILD) && cpack -G DEB -B $(CURDIR)/$(PACKAGE_BUILD)/deb >/dev/null
	@deb=$$(cd $(PACKAGE_BUILD)/deb && ls ladderly_*.deb) && cp $(PACKAGE_BUILD)/deb/$$deb . && \
	    lintian --fail-on error --info $$deb && echo "Built $$deb"

test-release: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: deps
	@$(CONFIGURE) -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DLADDERLY_SANITIZE=ON -DLADDERLY_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

fuzz-build: deps
	@CC=clang CXX=clang++ $(CONFIGURE) -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLADDERLY_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)

# Replays each fuzz target's corpus once: keeps the targets building and the kept crashes fixed.
fuzz-check: fuzz-build
	@./scripts/run-fuzzers.sh $(FUZZ_BUILD)/fuzzers.txt 0

test: test-release test-asan fuzz-check

fuzz: fuzz-build
	@./scripts/run-fuzzers.sh $(FUZZ_BUILD)/fuzzers.txt $(FUZZ_SECONDS)

# Which small faults in src/ the tests catch: a seeded sample of mutants, each built in
# build/mutate and tested on its own; the report goes to build/mutate/report.md.
mutate: deps
	@python3 scripts/mutate.py --sample $(MUTANTS) --seed $(SEED) --jobs $(JOBS)

bench: build
	@while read -r b; do [ -n "$$b" ] && "$$b"; done < $(BUILD)/benchmarks.txt

# Rebuilds the vocabulary and puzzles we ship in data/ from Debian's scowl word lists.
data: deps
	@$(CONFIGURE) -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target make-data ladderly-tool
	@$(BUILD)/tools/make-data/make-data /usr/share/dict/scowl data
	@$(BUILD)/tools/ladderly-tool/ladderly-tool validate data >/dev/null
	@$(BUILD)/tools/ladderly-tool/ladderly-tool check data >/dev/null

# Regenerates the sound effects we ship in data/wav/ (the same files, byte for byte).
sounds: deps
	@$(CONFIGURE) -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target make-sounds
	@mkdir -p data/wav
	@$(BUILD)/tools/make-sounds/make-sounds data/wav

# Redraws the game's pictures in assets/ (the same files on every run); the build packs them.
pictures: deps
	@$(CONFIGURE) -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target make-pictures
	@QT_QPA_PLATFORM=offscreen $(BUILD)/tools/make-pictures/make-pictures assets

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i
