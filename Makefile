# make run   installs what is missing, builds and starts the program
# make test  installs what is missing, builds and runs every test
# make bench builds and runs the benchmarks
# make bench-windows runs the Windows build's benchmarks under wine
# make test-debian13 builds and runs every test in a fresh Debian 13 system
# make test-sanitize runs every test built with AddressSanitizer and UBSan
# make screenshots   makes the README's pictures from the real program, Linux and Windows builds
# make package builds the Debian package for this system, build/bytekijker_<version>+deb<release>_<arch>.deb
# make packages-debian builds, checks and installs one for each supported Debian release, in clean systems
# make windows       cross-builds build-windows/bytekijker.exe (Qt for Windows is built once, cached)
# make test-windows  runs every test of the Windows build under wine
# make package-windows  the zip and the installer, in build-windows/
# make release       dist/: every download, the sources and SHA256SUMS, from a commit
# make check-reproducible  builds the downloads in two fresh clones and compares them
# make check-reproducible-qt  builds Qt for Windows again and compares its DLLs (ARGS=--cached: against the cache)
# make format        formats the C++ code by .clang-format

BUILD := build
SANITIZE_BUILD := build-sanitize
WINDOWS_BUILD := build-windows
JOBS := 2
CONFIGURE_ARGS :=

BUILD_PACKAGES := g++ make cmake qt6-base-dev qt6-base-private-dev libicu-dev libwayland-dev wayland-protocols pkg-config fonts-liberation2
RUN_PACKAGES := qt6-qpa-plugins qt6-wayland fonts-symbola
FORMAT_PACKAGES := clang-format
TEST_PACKAGES := xvfb openbox dbus-daemon xdotool x11-utils xclip strace desktop-file-utils appstream $(FORMAT_PACKAGES) \
                 mutter pipewire wireplumber gstreamer1.0-tools gstreamer1.0-pipewire gstreamer1.0-plugins-base \
                 gstreamer1.0-plugins-good at-spi2-core libglib2.0-bin kwin-wayland kwin-style-breeze plasma-wayland-protocols
PACKAGE_PACKAGES := dpkg-dev file lintian
# The Debian releases a package is made for; the packages of the clean system
# of each release that the tests and the packages are built in (one system a
# release, made once: tools/debian-system.sh), and of the fresh one that a
# package is installed in.
DEBIAN_RELEASES := 12 13
DEBIAN_SYSTEM_PACKAGES = $(BUILD_PACKAGES) $(RUN_PACKAGES) $(TEST_PACKAGES) $(PACKAGE_PACKAGES)
INSTALL_TEST_PACKAGES := xvfb xdotool x11-utils
SCREENSHOT_PACKAGES := imagemagick
WINDOWS_PACKAGES := g++-mingw-w64-x86-64-posix ninja-build dpkg-dev wine64 fonts-wine nsis zip osslsigncode openssl

.PHONY: run test test-debian13 test-sanitize bench bench-windows package packages-debian debian-systems screenshots build configure deps test-deps package-deps \
        windows test-windows package-windows windows-deps release check-reproducible check-reproducible-qt format clean

# The program alone: a test that fails to build keeps no one from the window.
run: deps configure
	cmake --build $(BUILD) -j $(JOBS) --target bytekijker
	./$(BUILD)/bytekijker

test: test-deps build
	ctest --preset linux --test-dir $(BUILD)

# The same in a clean system of the other supported Debian release, made once
# and cached (tools/debian-system.sh), in a build folder of its own.
test-debian13:
	tools/in-debian.sh 13 "$(DEBIAN_SYSTEM_PACKAGES)" \
	    make --no-print-directory test BUILD=build-debian13 JOBS=$(JOBS)

test-sanitize: test-deps
	cmake --preset sanitize -B $(SANITIZE_BUILD) $(CONFIGURE_ARGS)
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	ctest --preset sanitize --test-dir $(SANITIZE_BUILD)

# Every group runs offscreen but the one that measures the chooser on a
# desktop, which gets one of its own.
bench: test-deps build
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	cd $(BUILD)/bench && for group in $(or $(ARGS),paging chooser onscreen startup); do \
	    if [ $$group = onscreen ]; then $(CURDIR)/desktops/with-desktop.sh ./bench_bytekijker $$group; \
	    else QT_QPA_PLATFORM=offscreen ./bench_bytekijker $$group; fi || exit 1; done

# Under wine only ratios mean anything: the chooser on screen, 100,000 files
# against 40 entries, and start-up against a bare Qt window program.
bench-windows: test-deps windows
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target benchmarks
	bench/make-folders.sh $(WINDOWS_BUILD)/bench-folders
	cd $(WINDOWS_BUILD) && $(CURDIR)/desktops/with-desktop.sh env BYTEKIJKER_WINDOWS_BUILD=$(CURDIR)/$(WINDOWS_BUILD) \
	    BYTEKIJKER_WINDOWS_QT="$$($(CURDIR)/cmake/windows/qt-windows.sh)" BYTEKIJKER_BENCH_FOLDERS=Z:$(CURDIR)/$(WINDOWS_BUILD)/bench-folders \
	    $(CURDIR)/cmake/windows/with-wine.sh ./bench_bytekijker.exe $(or $(ARGS),onscreen startup)

screenshots: test-deps build
	@cmake/ensure-packages.sh $(SCREENSHOT_PACKAGES)
	tools/screenshots.sh docs "" $(CURDIR)/$(BUILD)/bytekijker
	tools/screenshots.sh docs -gnome $(CURDIR)/$(BUILD)/tools/gnome_screenshots $(CURDIR)/$(BUILD)/bytekijker
	$(MAKE) windows
	tools/screenshots.sh docs -windows env BYTEKIJKER_WINDOWS_BUILD=$(CURDIR)/$(WINDOWS_BUILD) \
	    BYTEKIJKER_WINDOWS_QT="$$(cmake/windows/qt-windows.sh)" $(CURDIR)/cmake/windows/with-wine.sh $(CURDIR)/$(WINDOWS_BUILD)/bytekijker.exe

# The Debian package for this system. Debian's own checker has the last
# word on it: any error or warning fails.
package: package-deps build
	rm -f $(BUILD)/bytekijker_*.deb
	cd $(BUILD) && cpack -G DEB
	lintian --fail-on error,warning $(BUILD)/bytekijker_*.deb

# The clean Debian systems made ahead, as CI does while it builds.
debian-systems:
	for release in $(DEBIAN_RELEASES); do \
	    tools/debian-system.sh $$release $(DEBIAN_SYSTEM_PACKAGES) >/dev/null && \
	    tools/debian-system.sh $$release $(INSTALL_TEST_PACKAGES) >/dev/null || exit 1; \
	done

# One package for each supported Debian release, each built, as Debian builds
# its own, in a clean system of that release (tools/in-debian.sh), so that it
# depends on that release's libraries, and checked by its lintian; then
# installed, started and removed in a fresh system of that release
# (INSTALL_TEST=no leaves that out). Each in $(BUILD)-deb<release>/.
packages-debian:
	for release in $(DEBIAN_RELEASES); do \
	    tools/in-debian.sh $$release "$(DEBIAN_SYSTEM_PACKAGES)" make --no-print-directory package \
	        BUILD=$(BUILD)-deb$$release JOBS=$(JOBS) CONFIGURE_ARGS=-DBUILD_TESTING=OFF && \
	    { [ "$(INSTALL_TEST)" = no ] || \
	      tools/in-debian.sh $$release "$(INSTALL_TEST_PACKAGES)" tests/deb_install.sh $(BUILD)-deb$$release/bytekijker_*.deb; } \
	        || exit 1; \
	done

# Every step that needs packages depends on their installation, and the
# installations follow one another, so any `make -j` works.
deps:
	@cmake/ensure-packages.sh $(BUILD_PACKAGES) $(RUN_PACKAGES)

windows-deps: deps
	@cmake/ensure-packages.sh $(WINDOWS_PACKAGES)

test-deps: deps
	@cmake/ensure-packages.sh $(TEST_PACKAGES)

package-deps: deps
	@cmake/ensure-packages.sh $(PACKAGE_PACKAGES)

# The builds are CMake's presets (CMakePresets.json); BUILD and the other
# folders only move them.
configure: deps
	cmake --preset linux -B $(BUILD) $(CONFIGURE_ARGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Qt for Windows comes from cmake/windows/qt-windows.sh, which builds it the
# first time and then names its cached folder. The desktop test of the Windows
# build is the Linux one, given the Windows program to start.
windows: windows-deps
	qt=$$(cmake/windows/qt-windows.sh) && cmake --preset windows -B $(WINDOWS_BUILD) \
	    -DBYTEKIJKER_WINDOWS_QT="$$qt" -DBYTEKIJKER_HOST_E2E=$(CURDIR)/$(BUILD)/tests/desktop/tst_e2e_desktop $(CONFIGURE_ARGS)
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

test-windows: test-deps build
	$(MAKE) package-windows
	ctest --preset windows --test-dir $(WINDOWS_BUILD)

package-windows: windows
	cmake --build $(WINDOWS_BUILD) --target package_windows

# A release is made from a commit, in build folders of its own.
release: package-deps windows-deps
	tools/release.sh

check-reproducible: package-deps windows-deps
	tools/check-reproducible.sh

# Two Qt builds take over half an hour: not part of CI, run before a release
# whose Qt is new.
check-reproducible-qt: windows-deps
	@cmake/ensure-packages.sh xxd
	tools/check-reproducible-qt.sh $(ARGS)

# The files tests/format_check.sh checks, in a clone or an unpacked tarball.
format:
	@cmake/ensure-packages.sh $(FORMAT_PACKAGES)
	bash -c '. tools/tree_files.sh && cpp_files' | tr '\n' '\0' | xargs -0 -r clang-format -i

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(WINDOWS_BUILD) build-release build-release-windows dist
