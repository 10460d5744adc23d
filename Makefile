# Thin wrapper around CMake/Ninja/ctest.  `make run` and `make test` are the
# two commands a newcomer needs; both install missing Debian packages first.
BUILD ?= build
PGPORT ?= 54329

.PHONY: all deps build run demo test test-sqlite test-postgres bench clean format

all: build

deps:
	@bash scripts/deps.sh

# Optimised as shipped, without debug information: writing it costs a third of
# every compile.  For a debugger: cmake -B build-debug -DCMAKE_BUILD_TYPE=Debug.
$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG"

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD)

run: build
	$(BUILD)/src/app/velmora

# A demonstration property of its own in $(BUILD)/demo (made on the first run,
# used again afterwards; `make clean` removes it).  Your own location file and
# database are not touched.  The logons are printed when it starts.
DEMO ?= $(BUILD)/demo
demo: build
	$(BUILD)/src/app/velmora --demo $(DEMO)

# Every test runs twice: once on SQLite, once on a throwaway PostgreSQL server.
test: build
	@bash scripts/test.sh $(BUILD) $(PGPORT)

bench: deps
	cmake -S . -B $(BUILD)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BENCH=ON
	cmake --build $(BUILD)-bench --target velmora_bench velmora_output_bench velmora_contacts_bench velmora_events_bench velmora_profiles_bench velmora_itinerary_bench velmora_messages_bench velmora_stats_bench velmora_timedservices_bench velmora_operations_bench
	$(BUILD)-bench/bench/velmora_bench
	$(BUILD)-bench/bench/velmora_output_bench
	$(BUILD)-bench/bench/velmora_contacts_bench
	$(BUILD)-bench/bench/velmora_events_bench
	$(BUILD)-bench/bench/velmora_profiles_bench
	$(BUILD)-bench/bench/velmora_itinerary_bench
	$(BUILD)-bench/bench/velmora_messages_bench
	$(BUILD)-bench/bench/velmora_stats_bench
	$(BUILD)-bench/bench/velmora_timedservices_bench
	$(BUILD)-bench/bench/velmora_operations_bench

clean:
	rm -rf $(BUILD) $(BUILD)-bench

format:
	find src tests bench tools -name '*.cpp' -o -name '*.h' | xargs clang-format -i
