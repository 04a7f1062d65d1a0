# Two entry points for a fresh Debian machine: `make run` and `make test`.
BUILD_DIR ?= build
RUN_DIR   ?= run
JOBS      ?= $(shell nproc)

.PHONY: deps configure build run test bench clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_WARNINGS_AS_ERRORS=ON >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# The archive lives in the program folder, so the program runs from a folder of its
# own outside the build tree: a rebuild or a clean never touches the user's photos.
run: build
	@cmake --install $(BUILD_DIR) --prefix $(RUN_DIR) >/dev/null
	@cd $(RUN_DIR) && ./quillmont

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@bash scripts/run-benchmarks.sh $(BUILD_DIR)

clean:
	@rm -rf $(BUILD_DIR)
