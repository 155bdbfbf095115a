# The two commands of the README: `make run` and `make test`.
# Both install what is missing, configure and build first.

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=
# Seconds each fuzz target runs for in `make fuzz`; `make test` gives 20.
FUZZ_SECONDS ?= 60
# Fuzz targets run side by side, one a core.
FUZZ_JOBS ?= $(JOBS)
# Sanitizer reports abort, so that a test of the real binary sees a signal
# and not an ordinary exit status; libfontconfig's one known leak is the
# only one suppressed. ASAN_OPTIONS stands last, so that a recipe may append
# to it.
SANITIZER_ENV = UBSAN_OPTIONS=print_stacktrace=1:abort_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 ASAN_OPTIONS=abort_on_error=1

# `make install` copies the game under PREFIX (into DESTDIR when given, as a
# package build does).
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: all deps configure build run test asan bench fuzz clean art install package web web-serve web-test web-bench daily-sheet

all: build

deps:
	@scripts/install-deps $(DEPS_FLAGS)

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DQW_WERROR=ON $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/quenchway $(ARGS)

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

# The Debian package quenchway_<version>_<arch>.deb, in $(BUILD_DIR)/.
package: build
	cd $(BUILD_DIR) && cpack -G DEB

# The whole suite, the browser build in headless Chromium, then the same
# suite built with AddressSanitizer and UndefinedBehaviorSanitizer, then
# every fuzz target for 20 seconds.
test: DEPS_FLAGS = --fuzz --web
test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory web-test
	@$(MAKE) --no-print-directory asan
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=20

# The unit and end-to-end suite under AddressSanitizer and
# UndefinedBehaviorSanitizer (the compiler's own), in build-asan/. The tests
# labelled e2e drive a real X window, where SDL's input-method code leaks
# through libdbus and X libraries that SDL has already unloaded at exit
# (nothing a suppression can name): they run with leak detection off. The
# tests labelled install check the installed copy and the package, which the
# sanitizers add nothing to: they are left out, and so are the art and glyph
# generators, which no test runs. So are the two slowest tests whose paths
# the others walk too: the generator's byte-for-byte repeat (the grade test
# runs the same generator) and the writer killed at random moments (the
# progress file's other tests run the same writes).
asan: deps
	@cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQW_SANITIZE=ON -DQW_ART_TOOLS=OFF >/dev/null
	@$(SANITIZER_ENV) cmake --build build-asan -j $(JOBS)
	cd build-asan && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS) -LE 'e2e|install' \
	  -E 'Generator.SameOptionsSameBytesWhateverTheMachine|ProgressProcessTest.AWriterKilledAtAnyMoment'
	cd build-asan && $(SANITIZER_ENV):detect_leaks=0 ctest --output-on-failure -j $(JOBS) -L e2e

# Each libFuzzer target for FUZZ_SECONDS, from a copy of its corpus in
# fuzz/corpus/; clang, in build-fuzz/. Crashing inputs land in
# build-fuzz/artifacts/.
fuzz: DEPS_FLAGS = --fuzz
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQW_FUZZ=ON -DQW_TESTS=OFF >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target fuzz_targets
	FUZZ_JOBS=$(FUZZ_JOBS) scripts/fuzz-run build-fuzz $(FUZZ_SECONDS)

# Redraws the art: data/qw_images.dat, data/qw_layout.dat, the bitmaps in
# resources/, docs/piece-sheet.png and the further themes' skins and strips in
# data/themes/.
# The same sources always give the same bytes.
art: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target quenchway-artgen
	@mkdir -p data/themes/dark data/themes/contrast resources/icons docs
	$(BUILD_DIR)/tools/artgen/quenchway-artgen .

# A contact sheet of the daily puzzles of DAILY_DAYS days from DAILY_FROM
# (today, UTC), each drawn by quenchway-levels show --png as the play screen
# shows it, in $(BUILD_DIR)/daily-sheet.png (ImageMagick's montage).
DAILY_FROM ?= $(shell date -u +%F)
DAILY_DAYS ?= 28
daily-sheet: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target quenchway-levels
	@rm -rf $(BUILD_DIR)/daily-sheet && mkdir -p $(BUILD_DIR)/daily-sheet
	@for i in $$(seq 0 $$(($(DAILY_DAYS) - 1))); do \
		day=$$(date -u -d "$(DAILY_FROM) + $$i days" +%F); \
		$(BUILD_DIR)/quenchway-levels generate --daily $$day -o $(BUILD_DIR)/daily-sheet/$$day.dat || exit 1; \
		$(BUILD_DIR)/quenchway-levels show $(BUILD_DIR)/daily-sheet/$$day.dat 1 --art data \
			--pieces resources/pieces.bmp --png $(BUILD_DIR)/daily-sheet/$$day.png >/dev/null || exit 1; \
		grade=$$(sed -n 's/^; grade \([0-9]\).*/\1/p' $(BUILD_DIR)/daily-sheet/$$day.dat); \
		labels="$$labels -label $$day($$(date -u -d $$day +%a)),grade$$grade $(BUILD_DIR)/daily-sheet/$$day.png"; \
	done; \
	montage $$labels -tile 7x -geometry +4+4 -pointsize 12 $(BUILD_DIR)/daily-sheet.png
	@echo "daily puzzles: $(BUILD_DIR)/daily-sheet.png"

# The browser build in build-web/, and the site a web host serves in
# build-web/site/: index.html, page.js, verdict.js, quenchway.js, quenchway.wasm,
# manifest.webmanifest, icon-192.png, icon-512.png, sw.js and the further
# themes' pictures theme-dark.bin and theme-contrast.bin, nothing else.
# Its text comes from a glyph atlas that the desktop build's quenchway-glyphs
# renders with the desktop's font code, its icons from quenchway-artgen.
# emcc needs Debian's node modules folder.
WEB_BUILD ?= build-web
WEB_DIR ?= $(WEB_BUILD)/site
WEB_PORT ?= 8080
EMCC_ENV = NODE_PATH=/usr/share/nodejs
web: DEPS_FLAGS = --web
web: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target quenchway-glyphs quenchway-artgen
	@mkdir -p $(WEB_BUILD)/icons.new
	@$(BUILD_DIR)/tools/glyphs/quenchway-glyphs $(WEB_BUILD)/glyphs.dat.new data >/dev/null
	@cmp -s $(WEB_BUILD)/glyphs.dat.new $(WEB_BUILD)/glyphs.dat || mv $(WEB_BUILD)/glyphs.dat.new $(WEB_BUILD)/glyphs.dat
	@$(BUILD_DIR)/tools/artgen/quenchway-artgen --web-icons $(WEB_BUILD)/icons.new
	@mkdir -p $(WEB_BUILD)/icons
	@for f in icon-192.png icon-512.png; do \
		cmp -s $(WEB_BUILD)/icons.new/$$f $(WEB_BUILD)/icons/$$f || mv $(WEB_BUILD)/icons.new/$$f $(WEB_BUILD)/icons/$$f; done
	@rm -rf $(WEB_BUILD)/glyphs.dat.new $(WEB_BUILD)/icons.new
	@$(EMCC_ENV) emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DQW_WEB=ON \
		-DQW_GLYPH_ATLAS=$(CURDIR)/$(WEB_BUILD)/glyphs.dat -DQW_WEB_ICONS=$(CURDIR)/$(WEB_BUILD)/icons >/dev/null
	@$(EMCC_ENV) nice -n 10 cmake --build $(WEB_BUILD) -j $(JOBS)

# Serves the browser build's site on http://127.0.0.1:$(WEB_PORT)/ until interrupted.
web-serve: web
	@echo "Quenchway: open http://127.0.0.1:$(WEB_PORT)/ (Ctrl+C stops)"
	python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(WEB_DIR)

# The browser build against the desktop binary, in headless Chromium.
web-test: web
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target quenchway quenchway-levels
	python3 tests/web/browser_test.py $(WEB_DIR) $(BUILD_DIR)/quenchway $(BUILD_DIR)/quenchway-levels .

# The browser build's size, gzipped, and its first frame in headless Chromium.
web-bench: web
	python3 bench/web_bench.py $(WEB_DIR)

bench: deps
	@cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQW_BENCH=ON >/dev/null
	@cmake --build build-bench -j $(JOBS) --target benchmarks
	build-bench/bench/quenchway-bench
	@$(MAKE) --no-print-directory web-bench

clean:
	rm -rf $(BUILD_DIR) build-bench build-fuzz build-asan $(WEB_BUILD)
