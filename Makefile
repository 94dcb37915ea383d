# The two commands: `make run` builds everything and starts Quillmead on the
# generated archives; `make test` builds everything and runs every test.
# Both first install whatever Debian packages are missing.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 600
PREFIX     ?= /usr/local
# The Windows build (`make windows`) and the prefix its libraries are built into
# once per machine by scripts/windows-toolchain.sh.
WINDOWS_BUILD ?= $(BUILD)/windows
MINGW_PREFIX  ?= /var/cache/quillmead-mingw
# The browser build (`make web`): the site in WEB_BUILD, CMake's files beside
# it, the prefix scripts/emscripten-toolchain.sh builds zlib and libpng into
# once per machine, and the port `make web-serve` serves the site on.
WEB_BUILD          ?= $(BUILD)/web
WEB_CMAKE_BUILD    ?= $(BUILD)/web-cmake
EMSCRIPTEN_PREFIX  ?= /var/cache/quillmead-emscripten
WEB_PORT           ?= 8080
VERSION    := $(shell grep -o 'quillmead VERSION [0-9.]*' CMakeLists.txt | cut -d' ' -f3)

.PHONY: all deps configure run test test-fast test-asan test-windows windows web web-serve test-web bench fuzz artwork-preview install uninstall deb clean

all: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

deps:
	@bash scripts/install-deps.sh

run: all
	cd $(BUILD)/data && ../quillmead

# Every test: the ordinary build on both SDL runtimes, then the unit and GL
# tests again under AddressSanitizer and UndefinedBehaviorSanitizer, then the
# Windows build's tests under wine.
test: test-fast test-asan test-windows

test-fast: all
	cd $(BUILD) && ctest --output-on-failure -j1

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQM_SANITIZE=ON -DQM_BENCH=OFF \
	      -DQM_DATA_OVERRIDE=$(abspath $(BUILD))/data
	cmake --build $(ASAN_BUILD) -j$(JOBS) --target unit_tests gl_tests
	cd $(ASAN_BUILD) && ctest --output-on-failure -j1 -R '^(unit|gl_classic|gl_compat)$$'

# Quillmead for Windows, cross-built with mingw-w64: WINDOWS_BUILD holds
# quillmead.exe, SDL.dll, data\ (this build's archives), licences\, the zip and
# the installer.
windows: all
	bash scripts/windows-toolchain.sh $(MINGW_PREFIX)
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=$(abspath cmake/mingw-w64.cmake) \
	      -DQM_MINGW_PREFIX=$(MINGW_PREFIX) -DQM_DATA_OVERRIDE=$(abspath $(BUILD))/data \
	      -DQM_LINUX_BUILD=$(abspath $(BUILD)) -DCMAKE_BUILD_TYPE=Release -DQM_BENCH=OFF
	cmake --build $(WINDOWS_BUILD) -j$(JOBS)
	bash scripts/windows-package.sh $(WINDOWS_BUILD) $(BUILD)/data $(VERSION) $(MINGW_PREFIX)

# The Windows build's unit tests and scripted session under wine and Xvfb.
test-windows: windows
	cd $(WINDOWS_BUILD) && ctest --output-on-failure -j1

# Quillmead for the browser, built with Debian's emscripten: WEB_BUILD holds
# index.html, the program as WebAssembly, its archives, the manifest, the icons
# and the service worker; any static web server can serve it.
web: all
	bash scripts/emscripten-toolchain.sh $(EMSCRIPTEN_PREFIX)
	. scripts/emscripten-env.sh && \
	cmake -S . -B $(WEB_CMAKE_BUILD) -DCMAKE_TOOLCHAIN_FILE=$(abspath cmake/emscripten.cmake) \
	      -DQM_EMSCRIPTEN_PREFIX=$(EMSCRIPTEN_PREFIX) -DQM_DATA_OVERRIDE=$(abspath $(BUILD))/data \
	      -DQM_WEB_OUTPUT=$(abspath $(WEB_BUILD)) -DCMAKE_BUILD_TYPE=Release -DQM_TESTS=OFF -DQM_BENCH=OFF && \
	cmake --build $(WEB_CMAKE_BUILD) -j$(JOBS)

# The site on http://127.0.0.1:WEB_PORT/ for a try (this machine only).
web-serve: web
	@echo "Quillmead on http://127.0.0.1:$(WEB_PORT)/"
	cd $(WEB_BUILD) && python3 -m http.server $(WEB_PORT) --bind 127.0.0.1

# The browser build's tests in Debian's Chromium (headless, software WebGL).
test-web: web
	bash tests/web/run.sh $(WEB_BUILD)

bench: all
	bash scripts/run-bench.sh $(BUILD)

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_FUZZ=ON \
	      -DQM_TESTS=OFF -DQM_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target $$(cd fuzz && ls *_fuzz.cpp | sed 's/\.cpp//')
	bash scripts/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

artwork-preview: all
	bash scripts/artwork-preview.sh $(BUILD)

# Installing: the program, its archives, the menu entry, icons, metainfo and the
# manual page under PREFIX (DESTDIR honoured); uninstall removes exactly what the
# last install wrote (give it the same DESTDIR); deb makes the Debian package of the same files, checked by
# lintian.
install: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(BUILD) -j$(JOBS) --target quillmead artwork_data packaging_pages
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD)

uninstall:
	DESTDIR="$(DESTDIR)" cmake --build $(BUILD) --target uninstall

deb: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS) --target quillmead artwork_data packaging_pages
	cd $(BUILD) && cpack -G DEB
	lintian --fail-on error $(BUILD)/quillmead_*.deb

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
