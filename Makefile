# flames: the everyday commands are `make run` and `make test` (make help lists all).

ARCH ?= ## another Debian architecture (i386, ...) to build and package for, cross-compiled
BUILD_DIR ?= build$(if $(ARCH),-arch/$(ARCH))## where build, tests-built, package and install work
ASAN_BUILD_DIR ?= build-asan## where sanitize builds
WEB_BUILD_DIR ?= build-web## where web builds
WINDOWS_BUILD_DIR ?= build-windows## where windows builds
WINDOWS_TESTING ?= OFF## build the Windows tests too (test-windows does)
PORT ?= 8000## web-serve's port
JOBS ?= $(shell nproc 2>/dev/null || echo 2)## parallel compiles
BENCH_SECONDS ?= 20## how long bench measures
SOAK_SECONDS ?= 600## how long soak runs
PREFIX ?= /usr/local## where install installs
CMAKE_FLAGS ?=## passed to every cmake configure
ifeq ($(CI),true)
  CMAKE_FLAGS += -DFLAMES_WERROR=ON
endif
CROSS_TOOLCHAIN = -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchains/debian-cross.cmake -DFLAMES_DEB_ARCH=
ifneq ($(ARCH),)
  CMAKE_FLAGS += $(CROSS_TOOLCHAIN)$(ARCH)
endif
CROSS_ARCHES ?= $(shell awk '!/^\#/ { print $$1 }' cmake/debian-architectures.txt)## test-arch's architectures
DEBIAN_SUITE ?= trixie## test-in-debian's Debian release (forky: testing)
DEBIAN_TARGETS ?= test test-windows## what test-in-debian makes there

# Debian's emscripten needs Debian's node modules, which another node may not search.
export NODE_PATH := /usr/share/nodejs$(if $(NODE_PATH),:$(NODE_PATH))

.PHONY: all help build run test tests-built check sanitize lint test-arch test-in-debian test-debian-package bench \
        bench-web soak record pictures \
        install uninstall package release web web-serve windows test-windows clean

all: build

help:
	@echo "flames: make TARGET [VARIABLE=value ...]; what builds or tests installs missing packages first."
	@awk -F'## ' '/^## / { what = $$2; next } /^[a-z-]+:/ && what { split($$1, t, ":"); \
	  printf "  %-20s %s\n", t[1], what } { what = "" }' $(MAKEFILE_LIST)
	@echo "Variables:"
	@awk -F' *## ' '/^[A-Z_]+ [?]=.*## / { split($$1, v, " "); printf "  %-20s %s\n", v[1], $$2 }' $(MAKEFILE_LIST)

## build into BUILD_DIR (the default)
build:
	@ARCH=$(ARCH) scripts/install-deps.sh build
	cmake -S . -B $(BUILD_DIR) -DBUILD_TESTING=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

## build, then open the window
run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "flames needs a graphical desktop, and neither DISPLAY nor WAYLAND_DISPLAY is set:" \
	       "run 'make run' in a terminal inside your desktop session (or over 'ssh -X')." >&2; \
	  exit 1; \
	fi
	$(BUILD_DIR)/flames

## everything CI runs first: lint, the tests under sanitizers, then every test
test: lint sanitize check

## build the program, its tests and tools into BUILD_DIR
tests-built:
	@scripts/install-deps.sh test
	cmake -S . -B $(BUILD_DIR) -DBUILD_TESTING=ON -DFLAMES_WEB_SITE=$(abspath $(WEB_BUILD_DIR))/site \
	  $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

## every test on the normal build
check: tests-built web
	ctest --test-dir $(BUILD_DIR) --output-on-failure

## the unit and end-to-end tests under AddressSanitizer and UBSan
sanitize:
	@scripts/install-deps.sh test
	cmake -S . -B $(ASAN_BUILD_DIR) -DBUILD_TESTING=ON -DFLAMES_SANITIZE=ON \
	  -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD_DIR) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD_DIR) --output-on-failure --label-exclude shipping

# Windows' own file is left to mingw-w64's compiler; anything clang-tidy says fails the lint.
## clang-tidy and cppcheck
lint: tests-built
	git ls-files '*.cpp' ':!*_win32.cpp' | xargs -P $(JOBS) -n 1 clang-tidy -p $(BUILD_DIR) --quiet 2>&1 | \
	  grep -v -E '^[0-9]+ warnings? generated\.$$' | tee $(BUILD_DIR)/clang-tidy.log
	@[ ! -s $(BUILD_DIR)/clang-tidy.log ]
	cppcheck --enable=warning,style,performance,portability --std=c++17 --inline-suppr \
	  --error-exitcode=1 --quiet --suppress=missingIncludeSystem --suppress=normalCheckLevelMaxBranches \
	  -i tests/web/node_modules -I src -I tools \
	  src tests tools

## the unit tests on other architectures, the whole program on i386 (adds i386 to dpkg)
test-arch:
	@scripts/install-deps.sh cross
	@set -e; for arch in $(CROSS_ARCHES); do \
	  log=build-arch/unit-$$arch.configure.log; mkdir -p build-arch; \
	  cmake -S . -B build-arch/unit-$$arch -DFLAMES_MODEL_ONLY=ON \
	    $(CROSS_TOOLCHAIN)$$arch $(CMAKE_FLAGS) >$$log || { cat $$log; exit 1; }; \
	  echo "== unit tests on $$arch: $$(sed -n '/programs run/{s/^-- //p;q}' $$log)"; \
	  cmake --build build-arch/unit-$$arch -j $(JOBS) >/dev/null; \
	  ctest --test-dir build-arch/unit-$$arch --output-on-failure; \
	done
	$(MAKE) build ARCH=i386
	@ARCH=i386 scripts/install-deps.sh package
	@scripts/install-deps.sh test
	tests/package/check_package.sh build-arch/i386 i386
	cmake -S . -B build-arch/e2e-i386 -DBUILD_TESTING=ON -DFLAMES_PROGRAM=$(CURDIR)/build-arch/i386/start-flames \
	  $(CMAKE_FLAGS)
	cmake --build build-arch/e2e-i386 -j $(JOBS) --target flames_e2e_tests
	ctest --test-dir build-arch/e2e-i386 -L e2e --output-on-failure

## DEBIAN_TARGETS in a fresh root of Debian DEBIAN_SUITE, from a clone of this commit (as root)
test-in-debian:
	@scripts/install-deps.sh root
	scripts/test-in-debian.sh $(DEBIAN_SUITE) $(DEBIAN_TARGETS)

## what the running window costs (BENCH_SECONDS)
bench: tests-built
	scripts/xsession.sh tools/bench.sh $(BUILD_DIR) $(BENCH_SECONDS)

## the same over a long run (SOAK_SECONDS)
soak: tests-built
	scripts/xsession.sh tools/bench.sh $(BUILD_DIR) $(SOAK_SECONDS) --soak

## record the README's animation and the icons again from the window
record: tests-built
	scripts/record.sh $(BUILD_DIR) docs/flames.gif data/icons src/web

## draw the guide's pictures (docs/how-it-moves) again from the model
pictures: tests-built
	$(BUILD_DIR)/tools/guide_pictures docs/how-it-moves

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

## the static site, in WEB_BUILD_DIR/site
web:
	@scripts/install-deps.sh web
	emcmake cmake -S . -B $(WEB_BUILD_DIR) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	cmake --build $(WEB_BUILD_DIR) -j $(JOBS)
	@echo "The site is in $(WEB_BUILD_DIR)/site: copy the whole folder to any static web host."

## what the page costs a visitor
bench-web: web
	@scripts/install-deps.sh test
	tools/web_bench.sh $(WEB_BUILD_DIR)/site

## serve the site at 127.0.0.1:PORT
web-serve: web
	@echo "Serving $(WEB_BUILD_DIR)/site at http://127.0.0.1:$(PORT)/ (Ctrl+C stops)"
	python3 -m http.server --bind 127.0.0.1 --directory $(WEB_BUILD_DIR)/site $(PORT)

## the Windows zip, in WINDOWS_BUILD_DIR
windows:
	@scripts/install-deps.sh windows
	scripts/fetch-freeglut.sh $(WINDOWS_BUILD_DIR)/freeglut
	cmake -S . -B $(WINDOWS_BUILD_DIR) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchains/windows-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DFLAMES_FREEGLUT_SOURCE=$(abspath $(WINDOWS_BUILD_DIR))/freeglut/source \
	  -DBUILD_TESTING=$(WINDOWS_TESTING) $(CMAKE_FLAGS)
	cmake --build $(WINDOWS_BUILD_DIR) -j $(JOBS)

## the Windows build's unit and end-to-end tests and its zip under Wine, in one fresh prefix
test-windows:
	@scripts/install-deps.sh test-windows
	$(MAKE) windows WINDOWS_TESTING=ON
	cmake -S . -B $(WINDOWS_BUILD_DIR)/e2e -DBUILD_TESTING=ON \
	  -DFLAMES_PROGRAM=$(abspath $(WINDOWS_BUILD_DIR))/flames.exe $(CMAKE_FLAGS)
	cmake --build $(WINDOWS_BUILD_DIR)/e2e -j $(JOBS) --target flames_e2e_tests
	scripts/wine-session.sh sh -c 'ctest --test-dir $(WINDOWS_BUILD_DIR) --output-on-failure && \
	  ctest --test-dir $(WINDOWS_BUILD_DIR)/e2e -L e2e --output-on-failure -V'

## delete the build folders and dist/ (make uninstall first: its lists are in BUILD_DIR)
clean:
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR) $(WEB_BUILD_DIR) $(WINDOWS_BUILD_DIR) build-arch dist
