#ifndef PRIORITY_SCHED_CYCLES_HPP
#define PRIORITY_SCHED_CYCLES_HPP

#include "ready_range.hpp"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace priority_sched {

// Within a stretch of steps in which no process arrives or finishes, the two orderings
// compare nothing but priorities and arrivals: the exchanges a step makes, and the
// position whose process runs, depend on nothing but where those keys stand. Once the
// keys stand as they stood some steps before, the same exchanges and the same running
// positions repeat, cycle after cycle, up to the next event. So whole cycles can be taken
// at once, each process charged the units it collects along its path.

// A run of steps that began and ended with the keys standing the same. The process that
// starts such a run at position q runs units[q] units in it and ends it at position
// next[q].
struct cycle {
	long long steps = 0;
	column<std::int32_t> next;
	column<long long> units;
	// Step by step, the position at the start of the cycle of the process that ran.
	column<std::int32_t> runner_from;
};

// The positions a process passes through at the starts of cycle after cycle, laid out
// orbit by orbit, with running sums of the units it collects on the way.
class orbits {
public:
	explicit orbits(const cycle& c) : index_of_(c.next.size(), -1), sums_(1, 0)
	{
		for (std::int32_t start = 0; start < c.next.count(); start++) {
			// Most processes keep their place through a cycle; they need no orbit.
			if (index_of_[start] >= 0 || c.next[start] == start)
				continue;
			const std::int32_t begin = order_.count();
			std::int32_t position = start;
			do {
				index_of_[position] = order_.count();
				order_.push_back(position);
				sums_.push_back(sums_.back() + c.units[position]);
				position = c.next[position];
			} while (position != start);
			begin_.push_back(begin);
		}
		begin_.push_back(order_.count());
	}

	// Whether the process now at `position` moves at all from cycle to cycle.
	bool moves(std::int32_t position) const { return index_of_[position] >= 0; }

	// The units that the process now at `position` collects in one round of its orbit,
	// given the units it runs per cycle when it keeps its place.
	long long units_per_round(std::int32_t position, const cycle& c) const
	{
		if (!moves(position))
			return c.units[position];
		const orbit o = orbit_of(position);
		return sum(o.begin, o.end);
	}

	// The units that the process now at `position` runs in the next `cycles` cycles.
	long long units(std::int32_t position, long long cycles, const cycle& c) const
	{
		if (!moves(position))
			return cycles * c.units[position];
		const orbit o = orbit_of(position);
		const std::int32_t i = index_of_[position];
		const std::int32_t length = o.end - o.begin;
		const auto stop = static_cast<std::int32_t>(i + cycles % length);
		const long long rest = stop <= o.end ? sum(i, stop) : sum(i, o.end) + sum(o.begin, stop - length);
		return cycles / length * sum(o.begin, o.end) + rest;
	}

	// Where the process now at `position` stands after `cycles` cycles.
	std::int32_t position_after(std::int32_t position, long long cycles) const
	{
		if (!moves(position))
			return position;
		const orbit o = orbit_of(position);
		const std::int32_t length = o.end - o.begin;
		const auto offset = static_cast<std::int32_t>((index_of_[position] - o.begin + cycles % length) % length);
		return order_[o.begin + offset];
	}

private:
	struct orbit {
		std::int32_t begin;
		std::int32_t end;
	};

	orbit orbit_of(std::int32_t position) const
	{
		const std::int32_t i = index_of_[position];
		// Orbits are laid out one after another: find the one that holds entry i.
		const auto next = std::upper_bound(begin_.begin(), begin_.end(), i);
		return {*(next - 1), *next};
	}

	long long sum(std::int32_t from, std::int32_t to) const { return sums_[to] - sums_[from]; }

	column<std::int32_t> order_;
	column<std::int32_t> index_of_;
	column<std::int32_t> begin_; // where each orbit begins in order_, and where the last ends
	column<long long> sums_;
};

// Watches the keys at the start of each step of a stretch. It remembers steps spread
// evenly over the stretch so far: every step at first, then every second, fourth and so
// on as the stretch grows, never more than a few dozen at a time. So a cycle is seen at
// its first repetition while it is short, and a long one of L steps that begins at step
// M is seen by about step (M + L) * (1 + 2 / the most remembered), where the halving
// marks of Brent's method would wait up to 2L more.
class cycle_finder {
public:
	explicit cycle_finder(std::int32_t processes);

	// A new stretch, over a range of `processes` processes.
	void start(std::int32_t processes);
	// Looks at the range at the start of a step: true when the keys stand as at a
	// remembered step, which `measure` then measures the cycle from.
	bool found(ready_range& ready);
	// Notes the step's runner, in front of the range as the priority ordering left it.
	void ran(const ready_range& ready);
	// After the arrival ordering that ends a step: whether every process stands where it
	// stood when the step began, if that step was remembered.
	bool back_at_the_last_start(const ready_range& ready) const;
	cycle measure(const ready_range& ready);
	// After whole cycles have been taken the range stands as it stood at the start of the
	// cycle, but for who is where. The steps of the cycle are known: each runs the
	// process that ran at that point of the cycle, found by its place at the cycle's
	// start, and every remembered step of the cycle shows where everybody then stands.
	// So the steps up to the last remembered one before the step in which a process
	// finishes or the clock reaches `next_arrival` are taken without orderings, and the
	// range is left as it stood at the start of that remembered step (false), or, where
	// that step is the event's own and its priority ordering was remembered too, as that
	// ordering left it (true).
	bool replay_to_event(ready_range& ready, long long& clock, long long next_arrival);

private:
	long long steps() const { return first_runner_step_ + static_cast<long long>(runners_.size()); }
	std::int32_t runner(long long step) const
	{
		return runners_[static_cast<std::size_t>(step - first_runner_step_)];
	}

	struct snapshot {
		long long step;
		column<std::int32_t> order;
		bool ordered_by_priority; // whether the next column holds the step's priority ordering
		column<std::int32_t> order_by_priority;
	};

	void remember(long long step, std::uint64_t hash, const ready_range& ready);
	void keep_every_other();
	const snapshot& last_remembered_by(long long step) const;

	// The remembered steps, the first kept_ of them in step order, and their hashes.
	std::vector<snapshot> remembered_;
	std::vector<std::uint64_t> hashes_;
	std::size_t kept_ = 0;
	std::size_t most_kept_ = 0;
	// Remembered steps lie this far apart, counted from the start of the epoch.
	long long spacing_ = 1;
	// An epoch of the stretch: the steps that the remembered ones and the runners cover.
	long long epoch_start_ = 0;
	long long epoch_length_ = 0;
	const snapshot* match_ = nullptr;
	// The processes that ran in the steps since the epoch began.
	std::vector<std::int32_t> runners_;
	long long first_runner_step_ = 0;
	// By process number.
	column<std::int32_t> position_of_;
	column<long long> units_;
};

// Takes at once as many whole cycles as leave at least one step to simulate before the
// next arrival and every process at least one unit to run, and returns the steps taken.
// Where the range is watched, it is told every step of them until it no longer is.
long long take_whole_cycles(ready_range& ready, const cycle& c, long long clock, long long next_arrival);

} // namespace priority_sched

#endif
