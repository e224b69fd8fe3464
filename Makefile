BUILD := build
PROGRAMMA := $(BUILD)/src/scheda-ombrisa
JOBS ?= 2

.PHONY: all deps build run test test-asan fuzz bench package install format clean

all: build

deps:
	@scripts/installa-dipendenze.sh

build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/avvia.sh $(PROGRAMMA)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-asan: deps
	@scripts/test-asan.sh $(RIDOTTO)

fuzz: deps
	@scripts/fuzz.sh $(SECONDI)

bench: deps
	@BUILD=$(BUILD) JOBS=$(JOBS) scripts/bench.sh

package: build
	@cd $(BUILD) && cpack -G DEB

install: build
	@cmake --install $(BUILD)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD)
