# The two commands of the README. Both install what is missing first.
BUILD_DIR := build
JOBS := 2

.PHONY: run test build deps clean

run: build
	@if [ -x $(BUILD_DIR)/snoutsum ]; then $(BUILD_DIR)/snoutsum; \
	else echo "The window is not built yet: only the rules and their tests exist so far."; fi

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)

build: deps
	cmake -S . -B $(BUILD_DIR)
	cmake --build $(BUILD_DIR) -j$(JOBS)

deps:
	@tools/install-deps.sh

clean:
	rm -rf $(BUILD_DIR)
