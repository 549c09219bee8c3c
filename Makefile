# make run: build and start the game.  make test: build and run every test.
BUILD := build
JOBS := $(shell nproc)

.PHONY: deps configure build run test test-sanitize soak bench package package-twice clean

deps:
	@scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON

build: configure
	cmake --build $(BUILD) -j$(JOBS)

# Only what the game needs: a first build leaves the tests out (make test
# adds them to the same folder), a later one keeps what is there.
define build-game
cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  $(if $(wildcard $(BUILD)/CMakeCache.txt),,-DBUILD_TESTING=OFF)
cmake --build $(BUILD) --target zanfria -j$(JOBS)
endef

run:
	@scripts/install-deps.sh game
	$(build-game)
	./$(BUILD)/zanfria

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# Every test again, built with AddressSanitizer, UndefinedBehaviorSanitizer
# and LeakSanitizer; the checks of the installed program run in make test.
# tests/lsan.supp names the libraries whose leftovers are not the game's.
test-sanitize: deps
	cmake -S . -B $(BUILD)-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZANFRIA_SANITIZE=ON
	cmake --build $(BUILD)-sanitize -j$(JOBS)
	cd $(BUILD)-sanitize && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j$(JOBS) -LE "footprint|packaging"

# The random players for twenty times as long.
soak: build
	cd $(BUILD) && ZANFRIA_SOAK=20 ./tests/game/game_tests --gtest_filter='RandomPlayer.*'
	cd $(BUILD) && ZANFRIA_SOAK=20 QT_QPA_PLATFORM=offscreen ./tests/ui/random_window_tests

bench: deps
	cmake -S . -B $(BUILD)-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
	cmake --build $(BUILD)-release -j$(JOBS)
	python3 bench/report.py $(BUILD)-release

# The Debian package holds the game alone.  Its members get the same modes
# whatever the caller's umask, and its files the last commit's date
# (packaging/source-date.cmake.in).
package: deps
	$(build-game)
	cd $(BUILD) && umask 022 && cpack

# The package made twice from the last commit, in two folders and on two
# days, must be the same bytes.
package-twice: deps
	scripts/check-reproducible.sh

clean:
	rm -rf $(BUILD) $(BUILD)-release $(BUILD)-sanitize
