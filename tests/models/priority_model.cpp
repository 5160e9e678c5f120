#include "priority_model.hpp"

#include "orderings.hpp"

namespace priority_model {

std::string format_batch(const std::vector<record>& batch)
{
	std::string input = std::to_string(batch.size()) + "\n";
	for (const record& r : batch)
		input += std::string(1, r.name) + " " + std::to_string(r.priority) + " " +
		         std::to_string(r.arrival) + " " + std::to_string(r.burst) + "\n";
	return input;
}

std::string unit_step_model(const std::vector<record>& batch)
{
	const auto n = static_cast<std::int32_t>(batch.size());
	std::vector<char> name;
	std::vector<std::int32_t> priority, arrival, burst, remaining;
	for (const record& r : batch) {
		name.push_back(r.name);
		priority.push_back(r.priority);
		arrival.push_back(r.arrival);
		burst.push_back(r.burst);
		remaining.push_back(r.burst);
	}
	auto by_arrival = [&](std::int32_t start, std::int32_t end) {
		arrival_sort(arrival.data(), remaining.data(), start, end, name.data(), burst.data(), priority.data());
	};
	auto by_priority = [&](std::int32_t start, std::int32_t end) {
		priority_sort(arrival.data(), remaining.data(), start, end, name.data(), burst.data(), priority.data());
	};
	std::string out;
	auto finish = [&](std::int32_t slot, long long completion) {
		const long long turnaround = completion - arrival[slot];
		out += std::string(1, name[slot]) + " " + std::to_string(completion) + " " +
		       std::to_string(turnaround) + " " + std::to_string(turnaround - burst[slot]) + "\n";
	};
	if (n == 0)
		return out;

	by_arrival(0, n);
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
		by_arrival(f, n);
		std::int32_t ready_end = f;
		while (ready_end < n && arrival[ready_end] <= clock && remaining[ready_end] != 0)
			ready_end++;
		if (ready_end == f) {
			clock++;
			continue;
		}
		if (clock >= last_arrival) {
			final_phase = true;
			break;
		}
		by_priority(f, ready_end);
		clock++;
		remaining[f]--;
		if (remaining[f] == 0) {
			finish(f, clock);
			f++;
		}
	}
	if (final_phase) {
		by_priority(f, n);
		for (std::int32_t s = f; s < n; s++) {
			clock += remaining[s];
			finish(s, clock);
		}
	}
	return out;
}

} // namespace priority_model
