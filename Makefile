# make run   - install what is missing, build, start Vellaro (under Xvfb with a
#              screenshot when there is no display)
# make test  - install what is missing, build both builds, run every test
# make bench - benchmark against peer tools (SIZE=1.5e9 by default)
.PHONY: all deps build native win32 run test test-native test-win32 screenshot bench clean

SIZE ?= 1500000000

all: build

deps:
	@bash scripts/install-deps.sh

native: deps
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j2

win32: deps
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32 -j2

build: native win32

run: win32
	@bash scripts/run.sh

screenshot: win32
	@bash scripts/screenshot.sh

test: build
	@bash scripts/test.sh

bench: build
	@bash scripts/bench.sh $(SIZE)

clean:
	rm -rf build
