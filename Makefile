# flames: the everyday commands are `make run` and `make test`.
# Each installs any missing Debian packages first (scripts/install-deps.sh).

# ARCH=i386 (or another Debian architecture): build and package for it, with
# Debian's cross compiler and that architecture's libraries.
ARCH ?=
BUILD_DIR ?= build$(if $(ARCH),-arch/$(ARCH))
ASAN_BUILD_DIR ?= build-asan
WEB_BUILD_DIR ?= build-web
WINDOWS_BUILD_DIR ?= build-windows
WINDOWS_TESTING ?= OFF
PORT ?= 8000
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
BENCH_SECONDS ?= 20
SOAK_SECONDS ?= 600
PREFIX ?= /usr/local
CMAKE_FLAGS ?=
ifeq ($(CI),true)
  CMAKE_FLAGS += -DFLAMES_WERROR=ON
endif
CROSS_TOOLCHAIN = -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchains/debian-cross.cmake -DFLAMES_DEB_ARCH=
ifneq ($(ARCH),)
  CMAKE_FLAGS += $(CROSS_TOOLCHAIN)$(ARCH)
endif
# The architectures test-arch runs the unit tests on, besides this machine's.
CROSS_ARCHES ?= $(shell awk '!/^\#/ { print $$1 }' cmake/debian-architectures.txt)
# The Debian release test-debian13 runs make test in, and where it keeps its root.
DEBIAN_SUITE ?= trixie

# Debian's emscripten needs Debian's node modules, which another node may not search.
export NODE_PATH := /usr/share/nodejs$(if $(NODE_PATH),:$(NODE_PATH))

.PHONY: all help build run test tests-built unit-e2e sanitize lint test-arch test-debian13 test-debian-package bench \
        bench-web soak record pictures \
        install uninstall package release web web-serve windows test-windows clean

all: build

help:
	@echo "flames: make TARGET [VARIABLE=value ...]"
	@echo
	@echo "Everyday (each installs the Debian packages it needs first, with sudo when not root):"
	@echo "  run            build into $(BUILD_DIR)/ and open the window"
	@echo "  test           lint, the tests under sanitizers, then every test (2½ minutes; 5 the first time)"
	@echo "  build          build into $(BUILD_DIR)/ (the default target)"
	@echo
	@echo "Installing (install builds nothing: make first, then sudo make install):"
	@echo "  install        install what make built into PREFIX ($(PREFIX))"
	@echo "  uninstall      remove what the last make install put there"
	@echo "  package        the Debian package, $(BUILD_DIR)/flames_VERSION_ARCH.deb, by dpkg-buildpackage"
	@echo "  release        everything a release holds, from this commit, in dist/ with SHA256SUMS"
	@echo
	@echo "Other builds:"
	@echo "  web            the static site, in $(WEB_BUILD_DIR)/site"
	@echo "  web-serve      serve it at 127.0.0.1:PORT ($(PORT))"
	@echo "  windows        the Windows zip, in $(WINDOWS_BUILD_DIR)/"
	@echo
	@echo "More tests and measures (CI runs the first four after make test):"
	@echo "  test-windows   the Windows build under Wine"
	@echo "  test-arch      the unit tests on $(words $(CROSS_ARCHES)) other architectures, the whole program on i386"
	@echo "                 (adds i386 to dpkg's architectures)"
	@echo "  test-debian13  make test and make test-windows in a fresh Debian 13 root (as root)"
	@echo "  test-debian-package  sbuild, lintian and autopkgtest in clean roots (as root)"
	@echo "  bench, soak    what the running window costs; bench-web what the page costs"
	@echo "  record         record the README's animation and the icons again from the window"
	@echo "  pictures       draw the guide's pictures (docs/how-it-moves) again from the model"
	@echo "  clean          delete the build folders (make uninstall first: the install list is there)"
	@echo
	@echo "Variables: ARCH=i386 (build and package for another Debian architecture), PREFIX,"
	@echo "  JOBS, PORT, BENCH_SECONDS, SOAK_SECONDS, DEBIAN_SUITE (test-debian13: forky for testing),"
	@echo "  CMAKE_FLAGS (passed to every cmake configure), FLAMES_CROSS_RUNNER=qemu (test-arch: qemu-user"
	@echo "  even where the kernel runs the architecture; decided when build-arch/ is first configured)."
	@echo
	@echo "Cached downloads: ~/.cache/flames (Debian roots, Lighthouse), tests/web/node_modules (browser drivers)."

build:
	@ARCH=$(ARCH) scripts/install-deps.sh build
	cmake -S . -B $(BUILD_DIR) -DBUILD_TESTING=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "flames needs a graphical desktop, and neither DISPLAY nor WAYLAND_DISPLAY is set:" \
	       "run 'make run' in a terminal inside your desktop session (or over 'ssh -X')." >&2; \
	  exit 1; \
	fi
	$(BUILD_DIR)/flames

# Everything CI checks: static analysis, the unit and end-to-end tests under
# sanitizers, then all the tests on the normal build.
test: lint sanitize unit-e2e

tests-built:
	@scripts/install-deps.sh test
	cmake -S . -B $(BUILD_DIR) -DBUILD_TESTING=ON -DFLAMES_WEB_SITE=$(abspath $(WEB_BUILD_DIR))/site \
	  $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

unit-e2e: tests-built web
	ctest --test-dir $(BUILD_DIR) --output-on-failure

sanitize:
	@scripts/install-deps.sh test
	cmake -S . -B $(ASAN_BUILD_DIR) -DBUILD_TESTING=ON -DFLAMES_SANITIZE=ON \
	  -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD_DIR) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD_DIR) --output-on-failure --label-exclude shipping

# The web's and Windows' own files are left to their builds' compilers: they
# need emscripten's and mingw-w64's headers.
lint: tests-built
	@# Quiet, clang-tidy says nothing but its count of the compiler's (filtered)
	@# warnings when all is well: whatever else it says fails the lint, a
	@# configuration it cannot read included.
	git ls-files '*.cpp' ':!*_web.cpp' ':!*_win32.cpp' | xargs -P $(JOBS) -n 1 clang-tidy -p $(BUILD_DIR) --quiet 2>&1 | \
	  grep -v -E '^[0-9]+ warnings? generated\.$$' | tee $(BUILD_DIR)/clang-tidy.log
	@[ ! -s $(BUILD_DIR)/clang-tidy.log ]
	cppcheck --enable=warning,style,performance,portability --std=c++17 --inline-suppr \
	  --error-exitcode=1 --quiet --suppress=missingIncludeSystem --suppress=normalCheckLevelMaxBranches \
	  -i tests/web/node_modules -I src -I tools \
	  src tests tools

# The unit tests built for each other architecture Debian builds, run natively
# where the kernel can (i386, mostly) and under qemu-user where it cannot
# (FLAMES_CROSS_RUNNER=qemu forces qemu-user in a new build-arch/); then the whole program built for i386 against
# multiarch libraries, judged by the end-to-end tests, and packaged. This adds
# i386 to dpkg's architectures; make test never does.
test-arch:
	@scripts/install-deps.sh cross
	@set -e; for arch in $(CROSS_ARCHES); do \
	  log=build-arch/unit-$$arch.configure.log; mkdir -p build-arch; \
	  cmake -S . -B build-arch/unit-$$arch -DFLAMES_MODEL_ONLY=ON \
	    $(CROSS_TOOLCHAIN)$$arch $(CMAKE_FLAGS) >$$log || { cat $$log; exit 1; }; \
	  echo "== unit tests on $$arch: $$(sed -n 's/^-- \(.* programs run .*\)/\1/p' $$log)"; \
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

# make test and make test-windows (Wine 10) on a fresh Debian 13
# (DEBIAN_SUITE=...) root, from a clone of this commit: mmdebstrap makes the
# root once and keeps it in ~/.cache/flames.
DEBIAN13_TARGETS ?= test test-windows
test-debian13:
	@scripts/install-deps.sh root
	scripts/test-in-debian.sh $(DEBIAN_SUITE) $(DEBIAN13_TARGETS)

bench: tests-built
	scripts/xsession.sh $(BUILD_DIR)/tools/flames_bench --seconds $(BENCH_SECONDS)

soak: tests-built
	scripts/xsession.sh $(BUILD_DIR)/tools/flames_bench --soak --seconds $(SOAK_SECONDS)

# Re-records docs/flames.gif, the icons in data/icons and the web page's images
# in src/web from the real window.
record: tests-built
	scripts/record.sh $(BUILD_DIR) docs/flames.gif data/icons src/web

# Draws the pictures of the guide to how the flames move (docs/how-it-moves)
# again, from the flame model.
pictures: tests-built
	$(BUILD_DIR)/tools/guide_pictures docs/how-it-moves

# Installs what `make` built, and builds nothing: `make`, then `sudo make
# install`. CMake lists what it installs (install_manifest.txt, which packaging
# rewrites too); the list of this install is kept for make uninstall.
install:
	@[ -x $(BUILD_DIR)/flames ] || { echo "Nothing is built in $(BUILD_DIR): run 'make' first, then 'sudo make install'." >&2; exit 1; }
	cmake --install $(BUILD_DIR) --prefix $(abspath $(PREFIX))
	cp $(BUILD_DIR)/install_manifest.txt $(BUILD_DIR)/installed-files.txt

# Removes exactly what the last make install put there.
uninstall:
	scripts/uninstall.sh $(BUILD_DIR)/installed-files.txt

# The Debian package, built by dpkg-buildpackage from debian/ (cross-built for
# ARCH): the same sources give the same .deb, bit for bit.
package:
	@ARCH=$(ARCH) scripts/install-deps.sh package
	scripts/build-package.sh $(BUILD_DIR) $(ARCH)

# The source package built as Debian's builders build it, by sbuild in a clean
# root of this machine's release, judged by lintian, and the installed
# package's own test run by autopkgtest in a clean test bed (as root).
test-debian-package:
	@scripts/install-deps.sh debian-build
	tests/package/check_debian_build.sh build-debian

# A release of this commit in dist/: the source tarball, the .deb for amd64
# and i386, the Windows zip, the web site, and SHA256SUMS. Adds i386 to dpkg's
# architectures, as test-arch does.
release:
	scripts/release.sh dist

# The same program for the browser: a static site in $(WEB_BUILD_DIR)/site.
web:
	@scripts/install-deps.sh web
	emcmake cmake -S . -B $(WEB_BUILD_DIR) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	cmake --build $(WEB_BUILD_DIR) -j $(JOBS)
	@echo "The site is in $(WEB_BUILD_DIR)/site: copy the whole folder to any static web host."

# What the page costs a visitor: its bytes and Lighthouse's figures.
bench-web: web
	@scripts/install-deps.sh test
	tools/web_bench.sh $(WEB_BUILD_DIR)/site

web-serve: web
	@echo "Serving $(WEB_BUILD_DIR)/site at http://127.0.0.1:$(PORT)/ (Ctrl+C stops)"
	python3 -m http.server --bind 127.0.0.1 --directory $(WEB_BUILD_DIR)/site $(PORT)

# The same program for Windows, cross-built with mingw-w64 against freeglut
# from this Debian release's source package: $(WINDOWS_BUILD_DIR)/flames-VERSION-windows-x86_64.zip.
windows:
	@scripts/install-deps.sh windows
	scripts/fetch-freeglut.sh $(WINDOWS_BUILD_DIR)/freeglut
	cmake -S . -B $(WINDOWS_BUILD_DIR) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchains/windows-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DFLAMES_FREEGLUT_SOURCE=$(abspath $(WINDOWS_BUILD_DIR))/freeglut/source \
	  -DBUILD_TESTING=$(WINDOWS_TESTING) $(CMAKE_FLAGS)
	cmake --build $(WINDOWS_BUILD_DIR) -j $(JOBS)

# The Windows build under Wine, all in one fresh Wine prefix: the unit tests,
# the end-to-end tests driving the program in a private X session, and the zip.
test-windows:
	@scripts/install-deps.sh test-windows
	$(MAKE) windows WINDOWS_TESTING=ON
	cmake -S . -B $(WINDOWS_BUILD_DIR)/e2e -DBUILD_TESTING=ON \
	  -DFLAMES_PROGRAM=$(abspath $(WINDOWS_BUILD_DIR))/flames.exe $(CMAKE_FLAGS)
	cmake --build $(WINDOWS_BUILD_DIR)/e2e -j $(JOBS) --target flames_e2e_tests
	scripts/wine-session.sh sh -c 'ctest --test-dir $(WINDOWS_BUILD_DIR) --output-on-failure && \
	  ctest --test-dir $(WINDOWS_BUILD_DIR)/e2e -L e2e --output-on-failure -V'

clean:
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR) $(WEB_BUILD_DIR) $(WINDOWS_BUILD_DIR) build-arch dist
