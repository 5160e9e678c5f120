// The all-pairs ordering of fcfs_sched over 10 to 10000 slots. Each run orders a fresh
// copy of the same columns; the copy is linear, the ordering quadratic.

#include "sort.hpp"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

void order_random_table(benchmark::State& state)
{
	const auto slots = static_cast<std::int32_t>(state.range(0));
	std::mt19937 rng(42);
	std::uniform_int_distribution<std::int32_t> arrival(0, 1000000), burst(1, 1000);
	std::vector<char> names;
	std::vector<std::int32_t> arrivals, bursts;
	for (std::int32_t i = 0; i < slots; i++) {
		names.push_back(static_cast<char>('A' + i % 26));
		arrivals.push_back(arrival(rng));
		bursts.push_back(burst(rng));
	}
	for (auto _ : state) {
		std::vector<char> name = names;
		std::vector<std::int32_t> a = arrivals, b = bursts;
		sort(slots, name.data(), a.data(), b.data());
		benchmark::DoNotOptimize(name.data());
	}
	state.SetComplexityN(slots);
}

} // namespace

BENCHMARK(order_random_table)->RangeMultiplier(10)->Range(10, 10000)->Complexity(benchmark::oNSquared);
