#include "stepping.hpp"

#include <algorithm>
#include <utility>

namespace {

// The ready range, copied out of the table with each process's place in it written into
// the remaining column: neither ordering compares remaining times, so the orderings carry
// the places along like any other column and show where every process went.
process_table copy_with_places(const process_table& t, std::int32_t first, std::int32_t end)
{
	process_table ready;
	ready.name.assign(t.name.begin() + first, t.name.begin() + end);
	ready.priority.assign(t.priority.begin() + first, t.priority.begin() + end);
	ready.arrival.assign(t.arrival.begin() + first, t.arrival.begin() + end);
	ready.burst.assign(t.burst.begin() + first, t.burst.begin() + end);
	for (std::int32_t place = 0; place < end - first; place++)
		ready.remaining.push_back(place);
	return ready;
}

// A run of steps that began and ended with the keys of the ready range (priority and
// arrival, position by position) standing the same. The process that starts such a run
// at position q runs units[q] units in it and ends it at position next[q].
struct cycle {
	long long steps = 0;
	std::vector<std::int32_t> next;
	std::vector<long long> units;
};

// Finds a cycle with Brent's method: the ready range is marked at the first step and
// marked again after 1, 2, 4, 8, ... further steps, until a step starts with the keys
// standing exactly as they stood at the mark.
class cycle_finder {
public:
	explicit cycle_finder(const process_table& ready) { mark(ready); }

	// Looks at the ready range at the start of a step.
	bool found(const process_table& ready)
	{
		if (steps_ > 0 && ready.priority == marked_.priority && ready.arrival == marked_.arrival)
			return true;
		if (steps_ == interval_) {
			mark(ready);
			interval_ *= 2;
		}
		return false;
	}

	void ran(std::int32_t place)
	{
		ran_since_mark_[place]++;
		steps_++;
	}

	// The cycle from the mark to the present step.
	cycle measure(const process_table& ready) const
	{
		std::vector<std::int32_t> position_of(ready.remaining.size());
		for (std::int32_t position = 0; position < ready.size(); position++)
			position_of[ready.remaining[position]] = position;
		cycle c;
		c.steps = steps_;
		for (const std::int32_t place : marked_.remaining) {
			c.next.push_back(position_of[place]);
			c.units.push_back(ran_since_mark_[place]);
		}
		return c;
	}

private:
	void mark(const process_table& ready)
	{
		marked_ = ready;
		ran_since_mark_.assign(ready.remaining.size(), 0);
		steps_ = 0;
	}

	process_table marked_;
	std::vector<long long> ran_since_mark_;
	long long steps_ = 0;
	long long interval_ = 1;
};

// The positions a process passes through at the starts of cycle after cycle, laid out
// orbit by orbit, with running sums of the units it collects on the way.
class orbits {
public:
	explicit orbits(const cycle& c) : index_of_(c.next.size(), -1), sums_(1, 0)
	{
		for (std::size_t start = 0; start < c.next.size(); start++) {
			if (index_of_[start] >= 0)
				continue;
			const auto begin = static_cast<std::int32_t>(order_.size());
			auto position = static_cast<std::int32_t>(start);
			do {
				index_of_[position] = static_cast<std::int32_t>(order_.size());
				order_.push_back(position);
				sums_.push_back(sums_.back() + c.units[position]);
				position = c.next[position];
			} while (position != static_cast<std::int32_t>(start));
			const auto length = static_cast<std::int32_t>(order_.size()) - begin;
			begin_.resize(order_.size(), begin);
			length_.resize(order_.size(), length);
		}
	}

	// The units that the process now at `position` runs in the next `cycles` cycles.
	long long units(std::int32_t position, long long cycles) const
	{
		const std::int32_t i = index_of_[position];
		const std::int32_t begin = begin_[i];
		const std::int32_t end = begin + length_[i];
		const long long whole = cycles / length_[i];
		const auto stop = static_cast<std::int32_t>(i + cycles % length_[i]);
		const long long rest = stop <= end ? sum(i, stop) : sum(i, end) + sum(begin, stop - length_[i]);
		return whole * sum(begin, end) + rest;
	}

	// Where the process now at `position` stands after `cycles` cycles.
	std::int32_t position_after(std::int32_t position, long long cycles) const
	{
		const std::int32_t i = index_of_[position];
		const long long offset = (i - begin_[i] + cycles % length_[i]) % length_[i];
		return order_[static_cast<std::size_t>(begin_[i] + offset)];
	}

private:
	long long sum(std::int32_t from, std::int32_t to) const { return sums_[to] - sums_[from]; }

	std::vector<std::int32_t> order_;
	std::vector<std::int32_t> index_of_;
	std::vector<std::int32_t> begin_;
	std::vector<std::int32_t> length_;
	std::vector<long long> sums_;
};

// Takes at once as many whole cycles as leave at least one step to simulate before the
// next arrival and every process at least one unit to run, and returns the steps taken.
long long take_whole_cycles(process_table& ready, std::vector<long long>& left, const cycle& c,
                            long long clock, long long next_arrival)
{
	const orbits paths(c);
	auto all_still_running = [&](long long cycles) {
		for (std::int32_t position = 0; position < ready.size(); position++)
			if (paths.units(position, cycles) >= left[ready.remaining[position]])
				return false;
		return true;
	};
	long long cycles = 0;
	long long most = (next_arrival - 1 - clock) / c.steps;
	while (cycles < most) {
		const long long middle = cycles + (most - cycles + 1) / 2;
		if (all_still_running(middle))
			cycles = middle;
		else
			most = middle - 1;
	}

	process_table moved = ready;
	for (std::int32_t position = 0; position < ready.size(); position++) {
		const std::int32_t to = paths.position_after(position, cycles);
		moved.name[to] = ready.name[position];
		moved.priority[to] = ready.priority[position];
		moved.arrival[to] = ready.arrival[position];
		moved.burst[to] = ready.burst[position];
		moved.remaining[to] = ready.remaining[position];
		left[ready.remaining[position]] -= paths.units(position, cycles);
	}
	ready = std::move(moved);
	return cycles * c.steps;
}

// Runs the steps from `clock` on while no process arrives or finishes: the ready range
// (slots first to end-1, already in arrival order for this step) keeps its processes,
// each step orders it by priority, runs the first slot for one unit and orders it by
// arrival again for the next step. Returns when the process in slot `first` has
// finished (true) or the clock has reached the next arrival (false).
//
// Equal priorities make the two unstable orderings move processes around, so the runner
// can change from step to step and the steps cannot simply be added up. But the
// orderings compare nothing but priorities and arrivals, so the exchanges a step makes,
// and the position whose process runs, depend on nothing but where the keys stand. Once
// the keys stand as they stood some steps before, the same exchanges and the same
// running positions repeat, cycle after cycle, up to the next event: the process that
// starts a cycle at position q always runs the same units in it and ends it at the same
// position. So whole cycles that end before the next event are taken at once, each
// process charged the units it collects along its path; the steps after them are
// simulated one by one, as are the steps before the repetition is seen.
bool run_stretch(process_table& t, std::int32_t first, std::int32_t end, long long& clock,
                 long long next_arrival)
{
	process_table ready = copy_with_places(t, first, end);
	std::vector<long long> left(t.remaining.begin() + first, t.remaining.begin() + end);
	cycle_finder finder(ready);
	bool searching = true;

	for (;;) {
		if (searching && finder.found(ready)) {
			clock += take_whole_cycles(ready, left, finder.measure(ready), clock, next_arrival);
			// The next event now lies within one more cycle: step on to it.
			searching = false;
		}
		ready.sort_by_priority(0, ready.size());
		const std::int32_t runner = ready.remaining[0];
		finder.ran(runner);
		clock++;
		if (--left[runner] == 0 || clock == next_arrival)
			break;
		ready.sort_by_arrival(0, ready.size());
	}

	for (std::int32_t place = 0; place < ready.size(); place++) {
		const std::int32_t slot = first + place;
		t.name[slot] = ready.name[place];
		t.priority[slot] = ready.priority[place];
		t.arrival[slot] = ready.arrival[place];
		t.burst[slot] = ready.burst[place];
		t.remaining[slot] = static_cast<std::int32_t>(left[ready.remaining[place]]);
	}
	return t.remaining[first] == 0;
}

// The first slot from `first` on that has not arrived by `clock`. Slots before `from`
// are known to have arrived, and the unfinished slots are in arrival order.
std::int32_t find_ready_end(const process_table& t, std::int32_t from, long long clock)
{
	std::int32_t end = from;
	while (end < t.size() && t.arrival[end] <= clock)
		end++;
	return end;
}

} // namespace

std::int32_t step_to_last_arrival(process_table& t, std::int32_t finished, long long& clock,
                                  const finish_report& report)
{
	const std::int32_t last_arrival = t.arrival.back();
	// Slots from `finished` to `settled` - 1 had arrived by the previous step. Only they
	// can be out of arrival order: the slots behind them are still in the order of the
	// first arrival ordering and arrive later than all of them, so ordering the settled
	// slots alone leaves the same table as ordering every unfinished slot.
	std::int32_t settled = finished;
	while (finished < t.size()) {
		t.sort_by_arrival(finished, settled);
		const std::int32_t ready_end = find_ready_end(t, std::max(finished, settled), clock);
		if (ready_end == finished) {
			// Idle steps change nothing but the clock, and the table is already in
			// arrival order, so the clock can move straight to the next arrival.
			clock = t.arrival[finished];
			continue;
		}
		if (clock >= last_arrival)
			break;
		const long long next_arrival = t.arrival[ready_end];
		if (run_stretch(t, finished, ready_end, clock, next_arrival)) {
			report(finished, clock);
			finished++;
		}
		settled = ready_end;
	}
	return finished;
}
