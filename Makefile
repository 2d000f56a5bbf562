# make run   - install what is missing, build, start Vellaro (under Xvfb with a
#              screenshot when there is no display)
# make test  - install what is missing, build, run every test
# make dist  - the release archive build/dist/vellaro-<version>.zip: the
#              32-bit vellaro.exe without debug information, readme.txt
#              (cp932, CR LF) and LICENSE
# make bench - benchmark against peer tools (SIZE=1.5e9 bytes of mixed files
#              and SMALL=100000 small files by default; SMALL=0 leaves them out),
#              and the deletion of ticked files against a bare Wine loop
#              (DELETE="10000:6000 100000:30000" lines:ticked; DELETE= skips it),
#              the shown settings dialog with thousands of folders, and how
#              long the main window leaves another program's question
#              unanswered after a search of RESPONSIVE=1000000 small files
#              (RESPONSIVE= skips it; the tree is deleted afterwards);
#              LOAD=1 keeps one core busy meanwhile (a spinning process)
# make bench-settings - the settings dialog's part alone
# Wine runs the 32-bit build where it can start 32-bit programs, the 64-bit
# build elsewhere; VELLARO_WINE=win32|win64 chooses (scripts/wine-build.sh).
.PHONY: all deps build native windows win32 win64 run test dist screenshot bench bench-settings clean

SIZE ?= 1500000000
SMALL ?= 100000
DELETE ?= 10000:6000 100000:30000
RESPONSIVE ?= 1000000
LOAD ?= 0

all: build

deps:
	@bash scripts/install-deps.sh

native: deps
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j2

# The 32-bit product, and the build Wine runs here when that is another.
windows: deps
	@bash scripts/build-windows.sh

win32 win64: deps
	@cmake --preset $@ >/dev/null
	@cmake --build --preset $@ -j2

build: native windows

run: windows
	@bash scripts/run.sh

screenshot: windows
	@bash scripts/screenshot.sh --docs

# The archive holds the 32-bit program alone: only that is built for it.
dist: deps
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32 -j2 --target vellaro
	@python3 scripts/make-dist.py

test: build dist
	@bash scripts/test.sh

bench: windows
	@DELETE="$(DELETE)" RESPONSIVE="$(RESPONSIVE)" LOAD="$(LOAD)" bash scripts/bench.sh $(SIZE) $(SMALL)
	@bash scripts/bench_settings.sh

bench-settings: windows
	@bash scripts/bench_settings.sh

clean:
	rm -rf build
