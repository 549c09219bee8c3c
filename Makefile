# make run: build and start the game.  make test: build and run every test.
BUILD := build
JOBS := $(shell nproc)

.PHONY: deps configure build run test bench clean

deps:
	@scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/zanfria

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench: deps
	cmake -S . -B $(BUILD)-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
	cmake --build $(BUILD)-release -j$(JOBS)
	cd $(BUILD)-release && for b in bench/*/bench_*; do QT_QPA_PLATFORM=offscreen ./$$b; done

clean:
	rm -rf $(BUILD) $(BUILD)-release
