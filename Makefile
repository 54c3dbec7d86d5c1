# The one entry point: `make test` and `make demo` install what is missing, build and run.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build test demo run gallery bench clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

demo: build
	scripts/demo.sh $(BUILD)

# The desktop program, with the sample songs in the folder its choosers open first.
run: build
	scripts/make-sample-content.sh out/sample/photos $(BUILD)/bin/yinyuegeci
	$(BUILD)/bin/solvane

# Every window as a PNG in out/gallery.
gallery: build
	scripts/make-sample-content.sh out/sample/photos $(BUILD)/bin/yinyuegeci
	$(BUILD)/bin/window_gallery out/gallery out/sample/photos $(BUILD)/bin/yinyuegeci

bench: build
	scripts/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD)
