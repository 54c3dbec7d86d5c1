# The one entry point: `make test` and `make demo` install what is missing, build and run.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build test test-sanitize fuzz demo run gallery bench clean

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

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer, in its own folder;
# SANITIZE_TARGETS and SANITIZE_TESTS (a ctest regex) narrow it to some programs and tests.
SANITIZE_BUILD ?= build-sanitize
SANITIZE_FLAGS = -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
SANITIZE_TESTS ?= .
SANITIZE_TARGETS ?= all

$(SANITIZE_BUILD)/build.ninja:
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja $(CMAKE_FLAGS) \
	  "-DCMAKE_CXX_FLAGS=$(SANITIZE_FLAGS)" "-DCMAKE_C_FLAGS=$(SANITIZE_FLAGS)" \
	  "-DCMAKE_EXE_LINKER_FLAGS=$(SANITIZE_FLAGS)" "-DCMAKE_SHARED_LINKER_FLAGS=$(SANITIZE_FLAGS)"

test-sanitize: deps $(SANITIZE_BUILD)/build.ninja
	cmake --build $(SANITIZE_BUILD) -j $(JOBS) --target $(SANITIZE_TARGETS)
	scripts/test-sanitize.sh $(SANITIZE_BUILD) '$(SANITIZE_TESTS)' $(JOBS)

# libFuzzer targets (clang), in their own folder; each runs FUZZ_SECONDS seconds, and an
# input taking more than FUZZ_TIMEOUT seconds is a fault.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TIMEOUT ?= 1

$(FUZZ_BUILD)/build.ninja:
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DSOLVANE_FUZZ=ON -DSOLVANE_BUILD_TESTS=OFF -DSOLVANE_BUILD_GUI=OFF

fuzz: deps $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TIMEOUT)

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
