# flames: the everyday commands are `make run` and `make test` (make help lists all).

ARCH ?= ## another Debian architecture to build and package for, cross-compiled (one with a preset)
PORT ?= 8000## web-serve's port
JOBS ?= $(shell nproc 2>/dev/null || echo 2)## parallel compiles
BENCH_SECONDS ?= 20## how long bench measures
SOAK_SECONDS ?= 600## how long soak runs
PREFIX ?= /usr/local## where install installs
CMAKE_FLAGS ?=## passed to every cmake configure, after the preset
ifeq ($(CI),true)
  CMAKE_FLAGS += -DFLAMES_WERROR=ON
endif
# The architectures CMakePresets.json has a preset for.
KNOWN_ARCHES := $(shell sed -n 's/.*"FLAMES_DEB_ARCH": "\([a-z0-9]*\)".*/\1/p' CMakePresets.json)
CROSS_ARCHES ?= $(KNOWN_ARCHES)## test-arch's architectures
ifneq ($(filter-out $(KNOWN_ARCHES),$(ARCH)),)
  $(error ARCH=$(ARCH) is not one of the architectures this project builds for: $(KNOWN_ARCHES))
endif
DEBIAN_SUITE ?= trixie## test-in-debian's Debian release (forky: testing)
DEBIAN_TARGETS ?= test test-windows## what test-in-debian makes there
# Each build is a preset of CMakePresets.json: its folder, its settings.
PRESET := $(or $(ARCH),default)
BUILD_DIR := build$(if $(ARCH),-arch/$(ARCH))
build_preset = cmake --preset $(1) $(CMAKE_FLAGS) && cmake --build --preset $(1) -j $(JOBS)

# Debian's emscripten needs Debian's node modules, which another node may not search.
export NODE_PATH := /usr/share/nodejs$(if $(NODE_PATH),:$(NODE_PATH))

.PHONY: all help build run test tests-built check sanitize lint test-arch test-in-debian test-plain-cmake bench \
  soak record pictures install uninstall package test-debian-package release web bench-web web-serve windows \
  test-windows clean

all: build

help:
	@echo "flames: make TARGET [VARIABLE=value ...]; what builds or tests installs missing packages first."
	@awk -F'## ' '/^## / { what = $$2; next } /^[a-z-]+:/ && what { split($$1, t, ":"); \
	  printf "  %-20s %s\n", t[1], what } { what = "" }' $(MAKEFILE_LIST)
	@echo "Variables:"
	@awk -F' *## ' '/^[A-Z_]+ [?]=.*## / { split($$1, v, " "); printf "  %-20s %s\n", v[1], $$2 }' $(MAKEFILE_LIST)

## build into BUILD_DIR: build/, or build-arch/ARCH (the default)
build:
	@ARCH=$(ARCH) scripts/install-deps.sh build
	$(call build_preset,$(PRESET))

## build, then open the window
run: build
	@[ -n "$$DISPLAY$$WAYLAND_DISPLAY" ] || { echo "flames needs a graphical desktop, and neither DISPLAY nor" \
	  "WAYLAND_DISPLAY is set: run 'make run' in a terminal inside your desktop session (or over 'ssh -X')." >&2; exit 1; }
	$(BUILD_DIR)/flames

## everything CI runs first: lint, the tests under sanitizers, then every test
test: lint sanitize check

## build the program, its tests and tools into build/
tests-built:
	@scripts/install-deps.sh test
	$(call build_preset,tests)

## every test on the normal build
check: tests-built web
	ctest --preset tests

## every test but the package and web tests, under AddressSanitizer and UBSan, in build-asan/
sanitize:
	@scripts/install-deps.sh test
	$(call build_preset,sanitize)
	ctest --preset sanitize

# Windows' own file is left to mingw-w64's compiler; anything clang-tidy says fails the lint.
## clang-tidy and cppcheck
lint: tests-built
	git ls-files '*.cpp' ':!*_win32.cpp' | xargs -P $(JOBS) -n 1 clang-tidy -p build --quiet 2>&1 | \
	  grep -v -E '^[0-9]+ warnings? generated\.$$' | tee build/clang-tidy.log
	@[ ! -s build/clang-tidy.log ]
	cppcheck --enable=warning,style,performance,portability --std=c++17 --inline-suppr \
	  --error-exitcode=1 --quiet --suppress=missingIncludeSystem --suppress=normalCheckLevelMaxBranches \
	  -i tests/web/node_modules -I src -I tests/e2e \
	  src tests tools

## the unit tests on CROSS_ARCHES, the whole program and its package on i386
test-arch:
	@scripts/install-deps.sh cross
	@set -e; for arch in $(CROSS_ARCHES); do \
	  log=build-arch/unit-$$arch.configure.log; mkdir -p build-arch; \
	  cmake --preset unit-$$arch $(CMAKE_FLAGS) >$$log || { cat $$log; exit 1; }; \
	  echo "== unit tests on $$arch: $$(sed -n '/programs run/{s/^-- //p;q}' $$log)"; \
	  cmake --build --preset unit-$$arch -j $(JOBS) >/dev/null; \
	  ctest --preset unit-$$arch; \
	done
	$(MAKE) build ARCH=i386
	@ARCH=i386 scripts/install-deps.sh package
	@scripts/install-deps.sh test
	tests/package/check_package.sh build-arch/i386 i386
	$(call build_preset,e2e-i386)
	ctest --preset e2e-i386

## DEBIAN_TARGETS in a fresh root of Debian DEBIAN_SUITE, from a clone of this commit (as root)
test-in-debian:
	@scripts/install-deps.sh root
	scripts/test-in-debian.sh $(DEBIAN_SUITE) ca-certificates,git,make make $(DEBIAN_TARGETS)

## the plain CMake build, tests and install, in a root with only a compiler, CMake and the libraries (as root)
test-plain-cmake:
	@scripts/install-deps.sh root
	scripts/test-in-debian.sh $$(. /etc/os-release && echo $$VERSION_CODENAME) \
	  g++,cmake,make,freeglut3-dev,libx11-dev,libgl-dev,libgtest-dev tests/package/plain_cmake.sh

## what the running window costs (BENCH_SECONDS)
bench: tests-built
	scripts/xsession.sh tools/bench.sh build $(BENCH_SECONDS)

## the same over a long run (SOAK_SECONDS)
soak: tests-built
	scripts/xsession.sh tools/bench.sh build $(SOAK_SECONDS) --soak

## record the README's animation, the icons (and the window's copy of them) and the page's poster and icon
record: tests-built
	scripts/record.sh build docs/flames.gif data/icons src/web
	cmake -DOUTPUT=src/app/window_icon.inc -P cmake/window_icon.cmake

## draw the guide's pictures (docs/how-it-moves) again from the model
pictures: tests-built
	build/tools/guide_pictures docs/how-it-moves

## install what make built into PREFIX (builds nothing: make, then sudo make install)
install:
	@[ -x $(BUILD_DIR)/flames ] || { echo "Nothing is built in $(BUILD_DIR): run 'make' first, then 'sudo make install'." >&2; exit 1; }
	scripts/install.sh $(BUILD_DIR) $(abspath $(PREFIX))

## remove what the last make install put there, its folders included
uninstall:
	scripts/uninstall.sh $(BUILD_DIR)

## the Debian package, BUILD_DIR/flames_VERSION_ARCH.deb, by dpkg-buildpackage
package:
	@ARCH=$(ARCH) scripts/install-deps.sh package
	scripts/build-package.sh $(BUILD_DIR) $(ARCH)

## sbuild, lintian and autopkgtest on the source package, in clean roots (as root)
test-debian-package:
	@scripts/install-deps.sh debian-build
	tests/package/check_debian_build.sh build-debian

## everything a release holds, from this commit, in dist/ with SHA256SUMS
release:
	scripts/release.sh dist

## the static site, in build-web/site
web:
	@scripts/install-deps.sh web
	$(call build_preset,web)
	@echo "The site is in build-web/site: copy the whole folder to any static web host."

## what the page costs a visitor
bench-web: web
	@scripts/install-deps.sh test
	tools/web_bench.sh build-web/site

## serve the site at 127.0.0.1:PORT
web-serve: web
	@echo "Serving build-web/site at http://127.0.0.1:$(PORT)/ (Ctrl+C stops)"
	python3 -m http.server --bind 127.0.0.1 --directory build-web/site $(PORT)

## the Windows zip, in build-windows/
windows:
	@scripts/install-deps.sh windows
	scripts/fetch-freeglut.sh build-windows/freeglut
	$(call build_preset,windows)

## the Windows build's unit and end-to-end tests and its zip under Wine, in one fresh prefix
test-windows:
	@scripts/install-deps.sh test-windows
	scripts/fetch-freeglut.sh build-windows/freeglut
	$(call build_preset,windows-tests)
	$(call build_preset,windows-e2e)
	tests/wine-session.sh sh -c 'ctest --preset windows-tests && ctest --preset windows-e2e'

## delete build/, build-*/ and dist/, not the caches (make uninstall first: its lists are in BUILD_DIR)
clean:
	rm -rf build build-asan build-web build-windows build-arch build-debian dist
