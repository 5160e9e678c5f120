#ifndef PRIORITY_SCHED_CYCLES_HPP
#define PRIORITY_SCHED_CYCLES_HPP

#include "ready_range.hpp"
#include "run_trace.hpp"

#include <cstdint>
#include <vector>

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

// Watches the keys at the start of each step of a stretch. Every one of the first steps
// is remembered, and after them one step in each doubling interval (Brent's method), so
// that a short cycle is seen at its first repetition and a long one within a few rounds.
class cycle_finder {
public:
	explicit cycle_finder(std::int32_t processes);

	void start();
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
	// cycle, but for who is where. Where every step of the cycle was remembered, the
	// steps up to the next event need no orderings: each runs the process that ran at
	// that point of the cycle, found by its place at the cycle's start. Leaves the range
	// as the priority ordering leaves it in the step in which a process finishes or the
	// clock reaches `next_arrival`, and returns false where the cycle cannot be replayed.
	bool replay_to_event(ready_range& ready, long long& clock, long long next_arrival, run_trace* trace);

private:
	long long steps() const { return first_runner_step_ + static_cast<long long>(runners_.size()); }
	std::int32_t runner(long long step) const
	{
		return runners_[static_cast<std::size_t>(step - first_runner_step_)];
	}

	struct snapshot {
		long long step;
		std::uint64_t hash;
		column<std::int32_t> order;
		column<std::int32_t> order_by_priority; // as the step's priority ordering left it
	};

	void remember(long long step, std::uint64_t hash, const ready_range& ready);

	std::vector<snapshot> remembered_; // the first kept_ of them
	std::size_t kept_ = 0;
	const snapshot* match_ = nullptr;
	// The processes that ran in the steps since the first remembered one.
	std::vector<std::int32_t> runners_;
	long long first_runner_step_ = 0;
	// By process number.
	column<std::int32_t> position_of_;
	column<long long> units_;
};

// Takes at once as many whole cycles as leave at least one step to simulate before the
// next arrival and every process at least one unit to run, and returns the steps taken.
// A trace is told every step of them, until it has all the segments it can take.
long long take_whole_cycles(ready_range& ready, const cycle& c, long long clock, long long next_arrival,
                            run_trace* trace);

#endif
