# make run   installs what is missing, builds and starts the program
# make test  installs what is missing, builds and runs every test
# make bench builds and runs the benchmarks

BUILD := build
JOBS := 2

BUILD_PACKAGES := g++ make cmake qt6-base-dev qt6-base-private-dev fonts-liberation2
RUN_PACKAGES := qt6-qpa-plugins fonts-symbola
TEST_PACKAGES := xvfb openbox xdotool x11-utils xclip strace

.PHONY: run test bench build configure deps test-deps clean

run: deps build
	./$(BUILD)/bytekijker

test: deps test-deps build
	cd $(BUILD) && ctest --output-on-failure

bench: deps build
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	cd $(BUILD)/bench && QT_QPA_PLATFORM=offscreen ./bench_bytekijker

deps:
	@tools/ensure-packages.sh $(BUILD_PACKAGES) $(RUN_PACKAGES)

test-deps:
	@tools/ensure-packages.sh $(TEST_PACKAGES)

configure:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

clean:
	rm -rf $(BUILD)
