// The orderings of priority_sched over ranges of 10 to 10000 slots. Each run orders a
// fresh copy of the same table; the copy is linear, the ordering quadratic.

#include "orderings.hpp"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

using namespace priority_sched;

namespace {

struct table {
	std::vector<char> name;
	std::vector<std::int32_t> priority, arrival, burst, remaining;
};

table random_table(std::int32_t slots)
{
	std::mt19937 rng(42);
	std::uniform_int_distribution<std::int32_t> priority(0, 9), arrival(0, 1000000), burst(1, 1000);
	table t;
	for (std::int32_t i = 0; i < slots; i++) {
		t.name.push_back(static_cast<char>('A' + i % 26));
		t.priority.push_back(priority(rng));
		t.arrival.push_back(arrival(rng));
		t.burst.push_back(burst(rng));
		t.remaining.push_back(t.burst.back());
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
		ordering(t.arrival.data(), t.remaining.data(), 0, slots, t.name.data(), t.burst.data(), t.priority.data());
		benchmark::DoNotOptimize(t.name.data());
	}
	state.SetComplexityN(slots);
}

} // namespace

BENCHMARK(order_random_table<arrival_sort>)->RangeMultiplier(10)->Range(10, 10000)->Complexity(benchmark::oNSquared);
BENCHMARK(order_random_table<priority_sort>)->RangeMultiplier(10)->Range(10, 10000)->Complexity(benchmark::oNSquared);
