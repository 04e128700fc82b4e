# The two everyday commands: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
BENCH_BUILD ?= build-bench
JOBS ?= 2

.PHONY: run test bench build deps clean

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/tavlen

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVLEN_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	bash bench/run-all.sh $(BENCH_BUILD)

clean:
	rm -rf $(BUILD) $(BENCH_BUILD)
