# flames: the two everyday commands are `make run` and `make test`.
# Both install any missing Debian packages first (scripts/install-deps.sh).

BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=
ifeq ($(CI),true)
  CMAKE_FLAGS += -DFLAMES_WERROR=ON
endif

.PHONY: all build run test clean

all: build

build:
	@scripts/install-deps.sh build
	cmake -S . -B $(BUILD_DIR) -DBUILD_TESTING=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "flames needs a graphical desktop, and neither DISPLAY nor WAYLAND_DISPLAY is set:" \
	       "run 'make run' in a terminal inside your desktop session (or over 'ssh -X')." >&2; \
	  exit 1; \
	fi
	$(BUILD_DIR)/flames

# Unit tests, then the real program in a private Xvfb with openbox (see README).
test:
	@scripts/install-deps.sh test
	cmake -S . -B $(BUILD_DIR) -DBUILD_TESTING=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)
	ctest --test-dir $(BUILD_DIR) --output-on-failure

clean:
	rm -rf $(BUILD_DIR)
