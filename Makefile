# The two commands of the README. Both install what is missing first.
BUILD_DIR := build
# The rules again, with AddressSanitizer and UndefinedBehaviorSanitizer.
SANITIZE_DIR := build-sanitize
JOBS := 2

.PHONY: run test build sanitize deps clean

run: build
	$(BUILD_DIR)/snoutsum

test: build sanitize
	cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)

build: deps
	cmake -S . -B $(BUILD_DIR)
	cmake --build $(BUILD_DIR) -j$(JOBS)

sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DSNOUTSUM_SANITIZE=ON -DSNOUTSUM_WITH_QT=OFF
	cmake --build $(SANITIZE_DIR) -j$(JOBS)
	cd $(SANITIZE_DIR) && ctest --output-on-failure -j$(JOBS)

deps:
	@tools/install-deps.sh

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
