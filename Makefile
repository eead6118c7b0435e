# Thin wrapper over CMake: `make run` starts the program under Wine, `make test` runs
# every test under Wine, `make torture` runs the torture suite with its full counts, `make bench`
# prints the benchmark figures, `make dist` packs the release ZIP and the Windows Installer package.
BUILD    ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release
CONFIGURE := -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake $(CMAKE_FLAGS)
# Everything the build, the tests and the scripts use; tools/check-deps.sh holds what each
# package is needed for and proves that none is left out.
PACKAGES := g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
            cmake make googletest wine wine64 fonts-wine fonts-dejavu-core xvfb xauth xdotool \
            imagemagick coreutils util-linux grep zip wixl msitools clang-format git
SESSION  := tools/wine-session.sh $(BUILD)

.PHONY: all deps configure build run test torture bench dist clean format FORCE

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    SUDO=$$( [ "$$(id -u)" = 0 ] || echo sudo ); \
	    $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi
	@tools/check-deps.sh $(PACKAGES)

# The configure line as last used, rewritten only when it changes: changed flags then configure
# the build folder afresh, where the cache would otherwise keep every earlier -D and ignore the
# new ones. A configure that fails leaves no cache, so the next make tries again.
$(BUILD)/configure-line.txt: FORCE
	@mkdir -p $(BUILD)
	@[ "$$(cat $@ 2>/dev/null)" = '$(CONFIGURE)' ] || echo '$(CONFIGURE)' >$@

$(BUILD)/CMakeCache.txt: $(BUILD)/configure-line.txt
	cmake --fresh $(CONFIGURE) || { rm -f $@; exit 1; }

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j2

run: build
	@$(SESSION) tools/run-program.sh $(BUILD)

# The heap-check rerun of the end-to-end tests is left to `make torture`. A test that fails is
# run once more, and fails the run only when it fails again: now and then Wine's own loader
# aborts a starting or ending program ("Inconsistency detected by ld.so"), which no test of
# ours can prevent. The first failure stays in the output.
test: build
	@$(SESSION) ctest --test-dir $(BUILD) --output-on-failure --timeout 120 -LE torture_only -j4 \
	    --repeat until-pass:2

# Verbose, so that the figures each torture test prints can be picked out of its output
# (the heap check runs CTest again and rewrites CTest's own log).
torture: build
	@HOTKEY_TORTURE_LONG=1 $(SESSION) ctest --test-dir $(BUILD) -L torture -V \
	    >$(BUILD)/torture.log 2>&1; rc=$$?; \
	    grep -E 'Test +#[0-9]+:|\[figure\]|tests passed' $(BUILD)/torture.log | sed 's/^[0-9]*: //'; \
	    [ $$rc -eq 0 ] || echo "make torture: failures, see $(BUILD)/torture.log"; exit $$rc

bench: build
	@$(SESSION) tools/run-bench.sh $(BUILD)

# The programs of build/bin as built and tested, never rebuilt differently for the package.
dist: build
	@tools/make-dist.sh $(BUILD)

# The root's .clang-format, applied to every tracked source file.
format: deps
	clang-format -i $$(git ls-files '*.cpp' '*.h')

FORCE:

clean:
	rm -rf $(BUILD)
