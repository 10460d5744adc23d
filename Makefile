# Thin wrapper around CMake/Ninja/ctest.  `make run` and `make test` are the
# two commands a newcomer needs; both install missing Debian packages first.
BUILD ?= build
PGPORT ?= 54329

.PHONY: all deps build run demo test test-sqlite test-postgres bench drills package clean format

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

# The long drills: a saving workstation killed 50 times, four desks at once
# for a minute, every parser fed bad input for 15 s; on SQLite and PostgreSQL.
# VELMORA_DRILL_SECONDS / VELMORA_DRILL_KILLS / VELMORA_DRILL_SEED change them.
drills: build
	@bash tests/drills/drills.sh $(BUILD) $(PGPORT)

# Every bench appends its table to one results file; docs/performance.md is
# written from it at the end (machine and date included).  velmora_pg_bench
# runs on the server $VELMORA_BENCH_PG names, else on a server of its own
# started in $(BENCH_PG_ROOT) (kept, with the bench property on it, between runs).
BENCHES = velmora_bench velmora_bulk_bench velmora_output_bench velmora_contacts_bench velmora_events_bench velmora_profiles_bench velmora_itinerary_bench velmora_messages_bench velmora_stats_bench velmora_timedservices_bench velmora_operations_bench velmora_records_bench velmora_pg_bench
BENCH_RESULTS = $(BUILD)-bench/results.tsv
BENCH_PG_ROOT ?= /var/tmp/velmora-bench-pg

bench: deps
	cmake -S . -B $(BUILD)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BENCH=ON
	cmake --build $(BUILD)-bench --target $(BENCHES)
	rm -f $(BENCH_RESULTS)
	set -e; export VELMORA_BENCH_RESULTS=$(abspath $(BENCH_RESULTS)); for b in $(BENCHES); do \
	  if [ $$b != velmora_pg_bench ] || [ -n "$$VELMORA_BENCH_PG" ]; then $(BUILD)-bench/bench/$$b; \
	  else bash scripts/pg-server.sh run $(BENCH_PG_ROOT) $(PGPORT) velmora_bench -- $(BUILD)-bench/bench/$$b; fi; \
	done
	python3 scripts/perf-report.py $(BENCH_RESULTS) docs/performance.md

# A Debian package of the program and its administration command, built
# without the tests: sudo apt install ./$(BUILD)-package/velmora_*.deb
package: deps
	cmake -S . -B $(BUILD)-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DVELMORA_TESTS=OFF
	cmake --build $(BUILD)-package
	cd $(BUILD)-package && cpack

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-package

format:
	find src tests bench tools -name '*.cpp' -o -name '*.h' | xargs clang-format -i
