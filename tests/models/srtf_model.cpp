#include "srtf_model.hpp"

#include "orderings.hpp"

#include <tuple>

using namespace srtf_sched;

namespace srtf_model {

std::string format_batch(const std::vector<record>& batch)
{
	std::string input = std::to_string(batch.size()) + "\n";
	for (const record& r : batch)
		input += std::string(1, r.name) + " " + std::to_string(r.arrival) + " " + std::to_string(r.burst) + "\n";
	return input;
}

namespace {

std::string report_line(const record& r, long long completion)
{
	const long long turnaround = completion - r.arrival;
	return std::string(1, r.name) + " " + std::to_string(r.arrival) + " " + std::to_string(r.burst) + " " +
	       std::to_string(completion) + " " + std::to_string(turnaround) + " " +
	       std::to_string(turnaround - r.burst) + "\n";
}

// The orderings number slots with signed 32-bit integers.
std::size_t at(std::int32_t slot)
{
	return static_cast<std::size_t>(slot);
}

} // namespace

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
		out += report_line({name[at(slot)], arrival[at(slot)], burst[at(slot)]}, completion);
	};
	if (n == 0)
		return out;

	arrival_sort(arrival.data(), remaining.data(), 0, n, name.data(), burst.data());
	const std::int32_t last_arrival = arrival[at(n - 1)];
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
			if (arrival[at(s)] <= clock)
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
		remaining[at(f)]--;
		clock++;
		if (remaining[at(f)] == 0) {
			finish(f, clock);
			f++;
		}
	}
	if (final_phase) {
		burst_sort(arrival.data(), remaining.data(), f, n, name.data(), burst.data());
		for (std::int32_t s = f; s < n; s++) {
			clock += remaining[at(s)];
			finish(s, clock);
		}
	}
	return out;
}

// The policy as a rule over the processes in input order; bursts must be at least 1.
namespace {

std::string rule_run(const std::vector<record>& batch, std::vector<segment>& segments)
{
	const std::size_t n = batch.size();
	std::vector<long long> left;
	for (const record& r : batch)
		left.push_back(r.burst);
	auto key = [&](std::size_t i) { return std::tuple(left[i], batch[i].arrival, i); };

	std::string out;
	std::size_t unfinished = n;
	auto run_unit = [&](std::size_t i, long long& clock) {
		const auto record = static_cast<std::int32_t>(i + 1);
		if (!segments.empty() && segments.back().record == record && segments.back().end == clock)
			segments.back().end++;
		else
			segments.push_back({record, clock, clock + 1});
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

} // namespace

std::string rule_model(const std::vector<record>& batch)
{
	std::vector<segment> ignored;
	return rule_run(batch, ignored);
}

std::vector<segment> rule_segments(const std::vector<record>& batch)
{
	std::vector<segment> segments;
	rule_run(batch, segments);
	return segments;
}

} // namespace srtf_model
