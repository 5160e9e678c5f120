#include "stepping.hpp"

#include <algorithm>

namespace {

// The first slot from `from` on that has not arrived by `clock`. The slots that have
// ever been ready stand first among the unfinished ones and the rest keep their arrival
// order behind them, so the arrived slots are always a leading run.
std::int32_t find_ready_end(const process_table& t, std::int32_t from, long long clock)
{
	std::int32_t end = from;
	while (end < t.size() && t.arrival[end] <= clock)
		end++;
	return end;
}

// Runs the process in slot `first`, the shortest of the ready range, for as many unit
// steps as pass before the next event, and returns the units run. Once the ready range
// is ordered and its first process runs, that process only moves further ahead of the
// rest: the range stays ordered, the stable ordering leaves it as it is, and the same
// process runs in every step until it finishes, a process arrives, or the clock reaches
// the last arrival (which is never past the next arrival). A process whose time left is
// 0 or less never reaches 0 again and so runs until the next arrival.
long long run_until_next_event(process_table& t, std::int32_t first, long long clock,
                               long long next_arrival)
{
	long long units = next_arrival - clock;
	if (t.remaining[first] > 0)
		units = std::min(units, t.remaining[first]);
	t.remaining[first] -= units;
	return units;
}

} // namespace

std::int32_t step_to_last_arrival(process_table& t, std::int32_t finished, long long& clock,
                                  const finish_report& report)
{
	const std::int32_t last_arrival = t.arrival.back();
	// Slots from `finished` to `ordered_end` - 1 are in order of time left. They stay so
	// from one step to the next: the process in front only moves further ahead while it
	// runs, and a finished one leaves the front. Only newcomers can be out of order, and
	// the stable ordering of a range already in order exchanges nothing, so the ordering
	// is run only when processes have joined the ready range.
	std::int32_t ordered_end = finished;
	while (finished < t.size()) {
		const std::int32_t ready_end = find_ready_end(t, std::max(finished, ordered_end), clock);
		if (ready_end == finished) {
			// Idle steps change nothing but the clock, so it moves straight to the
			// next arrival, which is in the first unfinished slot.
			clock = t.arrival[finished];
			continue;
		}
		if (clock >= last_arrival)
			break;
		if (ready_end > ordered_end) {
			t.sort_by_remaining(finished, ready_end);
			ordered_end = ready_end;
		}
		clock += run_until_next_event(t, finished, clock, t.arrival[ready_end]);
		if (t.remaining[finished] == 0) {
			report(finished, clock);
			finished++;
		}
	}
	return finished;
}
