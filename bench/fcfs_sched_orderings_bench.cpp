// The all-pairs ordering of fcfs_sched over 10 to 10000 slots, and the same arrangement
// built in O(n log n) over 16 to 10^6 slots. Each run orders a fresh copy of the same
// columns; the copy is linear.

#include "arrival_order.hpp"
#include "sort.hpp"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

using namespace fcfs_sched;

namespace {

struct columns {
	std::vector<char> name;
	std::vector<std::int32_t> arrival, burst, record;
};

// Arrivals drawn from 0..slots, so that about a third of them are shared.
columns random_columns(std::int32_t slots)
{
	std::mt19937 rng(42);
	std::uniform_int_distribution<std::int32_t> arrival(0, slots), burst(1, 1000);
	columns c;
	for (std::int32_t i = 0; i < slots; i++) {
		c.name.push_back(static_cast<char>('A' + i % 26));
		c.arrival.push_back(arrival(rng));
		c.burst.push_back(burst(rng));
		c.record.push_back(i + 1);
	}
	return c;
}

template <auto ordering>
void order_random_table(benchmark::State& state)
{
	const auto slots = static_cast<std::int32_t>(state.range(0));
	const columns original = random_columns(slots);
	for (auto _ : state) {
		columns c = original;
		ordering(slots, c);
		benchmark::DoNotOptimize(c.name.data());
	}
	state.SetComplexityN(slots);
}

void literal_loop(std::int32_t count, columns& c)
{
	sort(count, c.name.data(), c.arrival.data(), c.burst.data());
}

// The construction alone, whatever the size.
void arrange(std::int32_t count, columns& c)
{
	benchmark::DoNotOptimize(all_pairs_arrangement(count, c.arrival.data()));
}

// The construction and the moves it calls for, the record numbers moving too.
void fast_order(std::int32_t count, columns& c)
{
	order_by_arrival(count, c.name.data(), c.arrival.data(), c.burst.data(), c.record.data());
}

} // namespace

BENCHMARK(order_random_table<literal_loop>)->Name("order_random_table<sort>")->RangeMultiplier(10)->Range(10, 10000)->Complexity(benchmark::oNSquared);
BENCHMARK(order_random_table<literal_loop>)->Name("order_small_table<sort>")->RangeMultiplier(2)->Range(16, 1024);
BENCHMARK(order_random_table<arrange>)->Name("order_small_table<all_pairs_arrangement>")->RangeMultiplier(2)->Range(16, 1024);
BENCHMARK(order_random_table<fast_order>)->Name("order_random_table<order_by_arrival>")->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oNLogN);
