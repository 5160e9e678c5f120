#ifndef PRIORITY_SCHED_CYCLES_HPP
#define PRIORITY_SCHED_CYCLES_HPP

#include "checkpoints.hpp"
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
	// Who ran, where the range is watched: the runs of steps of one process, each by
	// that process's position at the start of the cycle.
	struct run {
		std::int32_t from;
		long long steps;
	};
	std::vector<run> runs;
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

// Watches the keys at the start of each step of a stretch, looking them up among
// checkpoints (checkpoints.hpp). So a cycle is seen at its first repetition while it is
// short, and a long one of L steps that begins at step M is seen by about step
// (M + L) * (1 + 2 / the most checkpoints), where the halving marks of Brent's method
// would wait up to 2L more. Nothing it holds grows with the stretch: each checkpoint
// holds the units each process has run since the stretch began, which is all a cycle
// needs, and who ran in each step is kept, as runs of one process, only while the range
// is watched, which is while the observer has room for them.
class cycle_finder {
public:
	explicit cycle_finder(std::int32_t processes);

	// A new stretch, over the range as it now stands.
	void start(const ready_range& ready);
	// Looks at the range at the start of a step: true when the keys stand as at a
	// checkpoint, which `measure` then measures the cycle from.
	bool found(const ready_range& ready);
	// Notes the step's runner, in front of the range as the priority ordering left it.
	void ran(const ready_range& ready);
	// After the arrival ordering that ends a step: whether every process stands where it
	// stood when the step began, if that step was a checkpoint.
	bool back_at_the_last_start(const ready_range& ready) const;
	cycle measure(const ready_range& ready);
	// After whole cycles have been taken the range stands as it stood at the start of the
	// cycle, but for who is where: the process now at each position stands in for the
	// one that stood there then, and every checkpoint of the cycle shows where everybody
	// stands at its step and what each has run by then. So the steps up to the last
	// checkpoint before the step in which a process finishes or the clock reaches
	// `next_arrival` are taken without orderings, and the range is left as it stood at
	// the start of that checkpoint's step (false), or, where that step is the event's own
	// and its priority ordering was remembered too, as that ordering left it (true).
	bool replay_to_event(ready_range& ready, long long& clock, long long next_arrival);

	// All the memory it holds, for the tests.
	std::size_t bytes_held() const;

private:
	struct run {
		std::int32_t process;
		long long end; // the step after its last
	};

	// Calls each(process, step, steps) for the runs of one process within steps `from`
	// up to but not including `to`.
	template <typename Each>
	void runs_between(long long from, long long to, Each each) const;
	// The units that the process `process` ran from the step of checkpoint `from` up to
	// that of checkpoint `to`.
	std::int32_t ran_between(std::size_t from, std::size_t to, std::int32_t process) const;
	bool reached(std::size_t k, const column<std::int32_t>& now, const ready_range& ready, long long steps_left) const;

	checkpoint_store checkpoints_;
	long long steps_ = 0; // since the start of the stretch
	std::size_t match_ = 0;
	// The range as the priority ordering left it in each of the first steps.
	std::vector<column<std::int32_t>> priority_ordered_;
	std::vector<run> runs_;
	// The units each process has run since the stretch began, by its place in the range
	// then, and that place by process number: a copy of the units is a checkpoint's extra.
	column<std::int32_t> units_;
	column<std::int32_t> place_;
	// By process number.
	column<std::int32_t> position_of_;
	column<std::int32_t> moved_;
};

// Takes at once as many whole cycles as leave at least one step to simulate before the
// next arrival and every process at least one unit to run, and returns the steps taken.
// Where the range is watched, it is told every step of them until it no longer is.
long long take_whole_cycles(ready_range& ready, const cycle& c, long long clock, long long next_arrival);

} // namespace priority_sched

#endif
