# Two entry points for a fresh Debian machine: `make run` and `make test`.
BUILD_DIR ?= build
RUN_DIR   ?= run
JOBS      ?= $(shell nproc)

# The builds below run make again inside cmake; one line per folder entered is noise.
MAKEFLAGS += --no-print-directory

.PHONY: deps configure program build run test bench clean

deps:
	@bash scripts/install-deps.sh

# A new build folder uses Ninja (one progress line); an existing one keeps its generator.
configure: deps
	@gen=""; if [ ! -f $(BUILD_DIR)/CMakeCache.txt ] && command -v ninja >/dev/null; then gen="-G Ninja"; fi; \
	cmake -S . -B $(BUILD_DIR) $$gen -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_WARNINGS_AS_ERRORS=ON >/dev/null

# Only what the installed program folder holds, so that `make run` starts soon.
program: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target qm_program

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# The archive lives in the program folder, so the program runs from a folder of its
# own outside the build tree: a rebuild or a clean never touches the user's photos.
run: program
	@cmake --install $(BUILD_DIR) --prefix $(RUN_DIR) >/dev/null
	@echo "Starting $(RUN_DIR)/quillmont (start it again with: make run, or cd $(RUN_DIR) && ./quillmont)"
	@cd $(RUN_DIR) && ./quillmont

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@bash scripts/run-benchmarks.sh $(BUILD_DIR)

clean:
	@rm -rf $(BUILD_DIR)
