// srtf_sched against two independent models, on seeded random batches:
//  - the simulation written out step by step, one time unit per step, idle units
//    included, with no shortcut (bursts of any sign): the program skips idle gaps and
//    runs of unchanged steps, and must print the very same bytes;
//  - for bursts of at least 1, the policy stated as a rule: after the first tick each
//    unit goes to the arrived, unfinished process with the least time left, ties to the
//    earliest arrival, then to the first in input order.

#include "harness.hpp"
#include "orderings.hpp"

#include <cstdint>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

const std::string program = SRTF_SCHED;

struct record {
	char name;
	std::int32_t arrival;
	std::int32_t burst;
};

std::string format_batch(const std::vector<record>& batch)
{
	std::string input = std::to_string(batch.size()) + "\n";
	for (const record& r : batch)
		input += std::string(1, r.name) + " " + std::to_string(r.arrival) + " " + std::to_string(r.burst) + "\n";
	return input;
}

std::string report_line(const record& r, long long completion)
{
	const long long turnaround = completion - r.arrival;
	return std::string(1, r.name) + " " + std::to_string(r.arrival) + " " + std::to_string(r.burst) + " " +
	       std::to_string(completion) + " " + std::to_string(turnaround) + " " +
	       std::to_string(turnaround - r.burst) + "\n";
}

std::string unit_step_model(const std::vector<record>& batch)
{
	const auto n = static_cast<std::int32_t>(batch.size());
	std::vector<std::int32_t> arrival, burst;
	std::vector<long long> remaining;
	std::vector<char> name;
	for (const record& r : batch) {
		name.push_back(r.name);
		arrival.push_back(r.arrival);
		remaining.push_back(r.burst);
		burst.push_back(r.burst);
	}
	std::string out;
	auto finish = [&](std::int32_t slot, long long completion) {
		out += report_line({name[slot], arrival[slot], burst[slot]}, completion);
	};
	if (n == 0)
		return out;

	arrival_sort(arrival.data(), remaining.data(), 0, n, name.data(), burst.data());
	const std::int32_t last_arrival = arrival[n - 1];
	long long clock = arrival[0] + 1LL;
	std::int32_t f = 0;
	remaining[0]--;
	if (remaining[0] == 0) {
		finish(0, clock);
		f = 1;
	}

	bool final_phase = false;
	while (f < n) {
		std::int32_t ready_end = f;
		for (std::int32_t s = f; s < n; s++)
			if (arrival[s] <= clock)
				ready_end++;
		if (ready_end == f) {
			clock++;
			continue;
		}
		if (clock >= last_arrival) {
			final_phase = true;
			break;
		}
		burst_sort(arrival.data(), remaining.data(), f, ready_end, name.data(), burst.data());
		remaining[f]--;
		clock++;
		if (remaining[f] == 0) {
			finish(f, clock);
			f++;
		}
	}
	if (final_phase) {
		burst_sort(arrival.data(), remaining.data(), f, n, name.data(), burst.data());
		for (std::int32_t s = f; s < n; s++) {
			clock += remaining[s];
			finish(s, clock);
		}
	}
	return out;
}

// The policy as a rule over the processes in input order; bursts must be at least 1.
std::string rule_model(const std::vector<record>& batch)
{
	const std::size_t n = batch.size();
	std::vector<long long> left;
	for (const record& r : batch)
		left.push_back(r.burst);
	auto key = [&](std::size_t i) { return std::tuple(left[i], batch[i].arrival, i); };

	std::string out;
	std::size_t unfinished = n;
	auto run_unit = [&](std::size_t i, long long& clock) {
		clock++;
		if (--left[i] == 0) {
			out += report_line(batch[i], clock);
			unfinished--;
		}
	};

	// The first tick goes to the earliest arrival, the first of them in input order.
	std::size_t first = 0;
	for (std::size_t i = 1; i < n; i++)
		if (batch[i].arrival < batch[first].arrival)
			first = i;
	long long clock = batch[first].arrival;
	run_unit(first, clock);

	while (unfinished > 0) {
		std::size_t chosen = n;
		for (std::size_t i = 0; i < n; i++)
			if (left[i] > 0 && batch[i].arrival <= clock && (chosen == n || key(i) < key(chosen)))
				chosen = i;
		if (chosen == n)
			clock++;
		else
			run_unit(chosen, clock);
	}
	return out;
}

struct batch_shape {
	int most_processes;
	int arrival_span; // arrivals are drawn from -arrival_span/4 to 3*arrival_span/4
	int shortest_burst;
	int longest_burst;
};

std::vector<record> random_batch(std::mt19937& rng, const batch_shape& shape)
{
	auto draw = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
	std::vector<record> batch(static_cast<std::size_t>(draw(1, shape.most_processes)));
	const int earliest = -shape.arrival_span / 4;
	for (record& r : batch) {
		r.name = static_cast<char>(draw('0', 'z'));
		r.arrival = draw(earliest, earliest + shape.arrival_span);
		r.burst = draw(shape.shortest_burst, shape.longest_burst);
	}
	return batch;
}

void expect_agreement(std::uint32_t seed, const batch_shape& shape, int batches)
{
	std::mt19937 rng(seed);
	for (int i = 0; i < batches; i++) {
		const std::vector<record> batch = random_batch(rng, shape);
		const std::string expected = unit_step_model(batch);
		if (shape.shortest_burst >= 1) {
			ASSERT_EQ(rule_model(batch), expected) << format_batch(batch);
		}
		ASSERT_TRUE(reports(program, format_batch(batch), expected)) << "batch " << i << " of seed " << seed;
	}
}

TEST(SrtfSchedModel, ModelsGiveTheWorkedExamples)
{
	const std::vector<record> batch = {{'A', 0, 8}, {'B', 1, 4}, {'C', 2, 9}, {'D', 3, 5}};
	const std::string expected = "B 1 4 5 4 0\nD 3 5 10 7 2\nA 0 8 17 17 9\nC 2 9 26 24 15\n";
	EXPECT_EQ(unit_step_model(batch), expected);
	EXPECT_EQ(rule_model(batch), expected);
	EXPECT_EQ(unit_step_model({{'A', 0, 5}, {'B', 0, 2}, {'C', 0, 3}}), "B 0 2 3 3 1\nC 0 3 6 6 3\nA 0 5 10 10 5\n");
	EXPECT_EQ(rule_model({{'X', 4, 2}, {'Y', 1, 3}, {'Z', 1, 1}}), "Z 1 1 3 2 1\nY 1 3 5 4 1\nX 4 2 7 3 1\n");
}

TEST(SrtfSchedModel, SmallBatchesWithManyTies)
{
	expect_agreement(11, {6, 6, 1, 4}, 300);
}

TEST(SrtfSchedModel, IdleGapsAndNegativeArrivals)
{
	expect_agreement(12, {8, 80, 1, 6}, 200);
}

TEST(SrtfSchedModel, LongBurstsAndWideArrivals)
{
	expect_agreement(13, {30, 600, 1, 200}, 100);
}

TEST(SrtfSchedModel, ZeroAndNegativeBursts)
{
	expect_agreement(14, {8, 20, -4, 4}, 300);
	expect_agreement(15, {20, 300, -100, 100}, 100);
}

} // namespace
