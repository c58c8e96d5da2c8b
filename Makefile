# Vondrelaskit: `make run` sets up, builds and starts the launcher; `make test` sets up,
# builds and runs every test; `make bench` runs the benchmarks. Each installs the Debian
# packages it needs that are missing, and only those.

BUILD ?= build
JOBS ?= $(shell nproc)
# Building and running.
PACKAGES = qt6-base-dev qt6-multimedia-dev libqt6sql6-sqlite libqt6svg6 libglib2.0-dev \
           libxcb1-dev libsqlite3-dev libjpeg-dev cmake g++ make pkg-config fonts-dejavu-core fonts-nanum
# The tests: GoogleTest, and a virtual X session the end-to-end tests drive (a window
# manager, a compositing manager and an icon theme, as a person's desktop has).
TEST_PACKAGES = libgtest-dev xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick sqlite3 \
                openbox xcompmgr adwaita-icon-theme
# The benchmarks: Google Benchmark, and plank, which they compare with.
BENCH_PACKAGES = libbenchmark-dev plank xvfb libx11-dev libxtst-dev libxdamage-dev x11-apps

.PHONY: all setup setup-test setup-bench install-packages build build-launcher run test bench clean

all: build

setup:
	@$(MAKE) --no-print-directory install-packages WANTED="$(PACKAGES)"

setup-test:
	@$(MAKE) --no-print-directory install-packages WANTED="$(PACKAGES) $(TEST_PACKAGES)"

setup-bench:
	@$(MAKE) --no-print-directory install-packages WANTED="$(PACKAGES) $(BENCH_PACKAGES)"

install-packages:
	@missing=""; for p in $(WANTED); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    if [ "$$(id -u)" = 0 ]; then SUDO=""; else SUDO="sudo"; fi; \
	    $$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq && \
	    $$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi

$(BUILD)/Makefile: CMakeLists.txt
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: setup $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS)

# The launcher alone: the tests and benchmarks are built by make test and make bench.
build-launcher: setup $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS) --target vondrelaskit

run: build-launcher
	@if [ -z "$$DISPLAY" ]; then \
	    echo "Vondrelaskit shows its windows in your X11 session, and DISPLAY is not set here"; \
	    echo "(a text console, or a remote shell without X forwarding)."; \
	    echo "Start it from a terminal in the X session:  make run  or  $(CURDIR)/$(BUILD)/vondrelaskit"; \
	    echo "(A virtual X server such as Xvfb runs it on a screen no one can see: the tests use one.)"; \
	    exit 1; \
	fi
	$(BUILD)/vondrelaskit

# Configured again so that a build made before GoogleTest or Google Benchmark was installed
# picks them up.
test: setup-test
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: setup-bench
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)
	$(BUILD)/bench/vondrelaskit_bench
	@if [ -x $(BUILD)/bench/vondrelaskit_xbench ]; then $(BUILD)/bench/vondrelaskit_xbench; \
	else echo "X11 benchmarks not built: libx11-dev, libxtst-dev and libxdamage-dev are needed"; fi

clean:
	rm -rf $(BUILD)
