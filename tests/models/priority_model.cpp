#include "priority_model.hpp"

#include <utility>

namespace priority_model {

std::string format_batch(const std::vector<record>& batch)
{
	std::string input = std::to_string(batch.size()) + "\n";
	for (const record& r : batch)
		input += std::string(1, r.name) + " " + std::to_string(r.priority) + " " +
		         std::to_string(r.arrival) + " " + std::to_string(r.burst) + "\n";
	return input;
}

namespace {

// The process table as the model keeps it: a slot is a whole record, so the orderings
// below can move slots without listing columns.
struct slot {
	char name;
	std::int32_t priority;
	std::int32_t arrival;
	std::int32_t burst;
	std::int32_t remaining;
	std::int32_t record;
};

// The selection exchange, written out again here rather than taken from the program, so
// that a fault in the program's orderings shows as a difference.
template <typename Key>
void exchange_order(std::vector<slot>& table, std::size_t start, std::size_t end, Key key)
{
	for (std::size_t p = start; p + 1 < end; p++)
		for (std::size_t i = p + 1; i < end; i++)
			if (key(table[i]) < key(table[p]))
				std::swap(table[p], table[i]);
}

void by_arrival(std::vector<slot>& table, std::size_t start, std::size_t end)
{
	exchange_order(table, start, end, [](const slot& s) { return s.arrival; });
}

void by_priority(std::vector<slot>& table, std::size_t start, std::size_t end)
{
	exchange_order(table, start, end, [](const slot& s) { return s.priority; });
}

} // namespace

std::string unit_step_model(const std::vector<record>& batch)
{
	return unit_step_run(batch).report;
}

run unit_step_run(const std::vector<record>& batch)
{
	const std::size_t n = batch.size();
	std::vector<slot> table;
	for (const record& r : batch)
		table.push_back({r.name, r.priority, r.arrival, r.burst, r.burst, static_cast<std::int32_t>(table.size() + 1)});
	run result;
	std::string& out = result.report;
	auto finish = [&](const slot& s, long long completion) {
		const long long turnaround = completion - s.arrival;
		out += std::string(1, s.name) + " " + std::to_string(completion) + " " +
		       std::to_string(turnaround) + " " + std::to_string(turnaround - s.burst) + "\n";
	};
	auto ran = [&](const slot& s, long long start, long long units) {
		std::vector<segment>& segments = result.segments;
		if (!segments.empty() && segments.back().record == s.record && segments.back().end == start)
			segments.back().end += units;
		else
			segments.push_back({s.record, start, start + units});
	};
	if (n == 0)
		return result;

	by_arrival(table, 0, n);
	const std::int32_t last_arrival = table[n - 1].arrival;
	ran(table[0], table[0].arrival, 1);
	long long clock = table[0].arrival + 1LL;
	std::size_t f = 0;
	if (--table[0].remaining == 0) {
		finish(table[0], clock);
		f = 1;
	}

	bool final_phase = false;
	while (f < n) {
		by_arrival(table, f, n);
		std::size_t ready_end = f;
		while (ready_end < n && table[ready_end].arrival <= clock && table[ready_end].remaining != 0)
			ready_end++;
		if (ready_end == f) {
			clock++;
			continue;
		}
		if (clock >= last_arrival) {
			final_phase = true;
			break;
		}
		by_priority(table, f, ready_end);
		ran(table[f], clock, 1);
		clock++;
		if (--table[f].remaining == 0) {
			finish(table[f], clock);
			f++;
		}
	}
	if (final_phase) {
		by_priority(table, f, n);
		result.final_phase_start = clock;
		for (std::size_t s = f; s < n; s++) {
			ran(table[s], clock, table[s].remaining);
			clock += table[s].remaining;
			finish(table[s], clock);
		}
	}
	return result;
}

} // namespace priority_model
