// The orderings of srtf_sched over ranges of 10 to 10000 slots, and the same
// arrangements by sorting over 16 to 10^6 slots. Each run orders a fresh copy of the
// same table; the copy is linear.

#include "orderings.hpp"
#include "stable_order.hpp"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

using namespace srtf_sched;

namespace {

struct table {
	std::vector<std::int32_t> arrival;
	std::vector<long long> remaining;
	std::vector<char> name;
	std::vector<std::int32_t> burst;
};

table random_table(std::int32_t slots)
{
	std::mt19937 rng(42);
	std::uniform_int_distribution<std::int32_t> arrival(0, 1000000), burst(1, 1000);
	table t;
	for (std::int32_t i = 0; i < slots; i++) {
		t.arrival.push_back(arrival(rng));
		t.burst.push_back(burst(rng));
		t.remaining.push_back(t.burst.back());
		t.name.push_back(static_cast<char>('A' + i % 26));
	}
	return t;
}

template <auto ordering>
void order_random_table(benchmark::State& state)
{
	const auto slots = static_cast<std::int32_t>(state.range(0));
	const table original = random_table(slots);
	for (auto _ : state) {
		table t = original;
		ordering(t.arrival.data(), t.remaining.data(), 0, slots, t.name.data(), t.burst.data());
		benchmark::DoNotOptimize(t.name.data());
	}
	state.SetComplexityN(slots);
}

// The common case inside the simulation: a range that is already in order.
void order_sorted_range(benchmark::State& state)
{
	const auto slots = static_cast<std::int32_t>(state.range(0));
	table t = random_table(slots);
	burst_sort(t.arrival.data(), t.remaining.data(), 0, slots, t.name.data(), t.burst.data());
	for (auto _ : state) {
		burst_sort(t.arrival.data(), t.remaining.data(), 0, slots, t.name.data(), t.burst.data());
		benchmark::DoNotOptimize(t.name.data());
	}
	state.SetComplexityN(slots);
}

// The sort alone, whatever the size, in the shape of the exchange orderings.
template <bool by_arrival>
void arrange(std::int32_t* arrival, long long* remaining, std::int32_t range_start, std::int32_t range_end,
             char* name, std::int32_t* burst)
{
	const auto size = static_cast<std::size_t>(range_end - range_start);
	if constexpr (by_arrival)
		benchmark::DoNotOptimize(stable_arrangement(arrival + range_start, size));
	else
		benchmark::DoNotOptimize(stable_arrangement(remaining + range_start, size));
	benchmark::DoNotOptimize(name);
	benchmark::DoNotOptimize(burst);
}

// A whole table of the program ordered by arrival, all five columns moved.
void order_table_by_arrival(benchmark::State& state)
{
	const auto slots = static_cast<std::int32_t>(state.range(0));
	const table columns = random_table(slots);
	process_table original{columns.arrival, columns.remaining, columns.name, columns.burst, {}};
	for (std::int32_t i = 1; i <= slots; i++)
		original.record.push_back(i);
	for (auto _ : state) {
		process_table t = original;
		order_by_arrival(t, 0, t.size());
		benchmark::DoNotOptimize(t.name.data());
	}
	state.SetComplexityN(slots);
}

} // namespace

BENCHMARK(order_random_table<arrival_sort>)->RangeMultiplier(10)->Range(10, 10000)->Complexity(benchmark::oNSquared);
BENCHMARK(order_random_table<burst_sort>)->RangeMultiplier(10)->Range(10, 10000)->Complexity(benchmark::oNSquared);
BENCHMARK(order_sorted_range)->RangeMultiplier(10)->Range(10, 10000)->Complexity(benchmark::oNSquared);
BENCHMARK(order_random_table<burst_sort>)->Name("order_small_range<burst_sort>")->RangeMultiplier(2)->Range(4, 256);
BENCHMARK(order_random_table<arrange<false>>)->Name("order_small_range<stable_arrangement>")->RangeMultiplier(2)->Range(4, 256);
BENCHMARK(order_table_by_arrival)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oNLogN);
