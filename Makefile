# Vondrelaskit: `make run` sets up, builds and starts the launcher; `make test` sets up,
# builds and runs every test. Both install the Debian packages that are missing.

BUILD ?= build
JOBS ?= $(shell nproc)
PACKAGES = qt6-base-dev qt6-multimedia-dev libqt6sql6-sqlite libqt6svg6 libglib2.0-dev \
           libxcb1-dev libgtest-dev libbenchmark-dev cmake g++ make pkg-config \
           fonts-dejavu-core fonts-nanum xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick sqlite3

.PHONY: all setup build run test bench clean

all: build

setup:
	@missing=""; for p in $(PACKAGES); do \
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

run: build
	@if [ -z "$$DISPLAY" ]; then \
	    echo "Vondrelaskit needs an X11 session, and DISPLAY is not set."; \
	    echo "To try it on a virtual one:  Xvfb :5 & DISPLAY=:5 $(BUILD)/vondrelaskit"; \
	    exit 1; \
	fi
	$(BUILD)/vondrelaskit

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/vondrelaskit_bench

clean:
	rm -rf $(BUILD)
