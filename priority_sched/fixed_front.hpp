#ifndef PRIORITY_SCHED_FIXED_FRONT_HPP
#define PRIORITY_SCHED_FIXED_FRONT_HPP

#include "cycles.hpp"
#include "process_table.hpp"
#include "progress.hpp"
#include "ready_range.hpp"

#include <cstdint>
#include <vector>

namespace priority_sched {

// Steps behind a fixed front. Let the process in front of the range, in arrival order,
// have the smallest priority of the range as well as the smallest arrival. Then neither
// ordering ever moves it, nor the others of its two keys that stand right behind it:
// they enter both orderings first, into groups that no smaller key turns, and they turn
// no group themselves, every other group being still empty when they enter. So the front
// runs in every step until it finishes or a process arrives, and the processes behind it
// move exactly as they would without it. When it finishes, whatever takes its place, the
// others go on as before.
//
// This takes such steps many at a time. It watches the keys at the start of each step
// for an arrangement it has seen before, as the cycle finder does, remembering as many
// steps as its memory allows, spread evenly over the steps so far. Once the keys have
// come round it keeps the cycle, from one front to the next as long as nothing arrives,
// and reaches any later step through whole cycles: the process now at a position stands
// in for the one that stood there at the same point of the first round, and goes where
// that one went.
class fixed_front_steps {
public:
	// Forgets all it has seen: the range is new, or has changed otherwise than by the
	// leaving of a fixed front.
	void start(const ready_range& ready);
	// The process in front has finished and left `ready`.
	void front_left(const ready_range& ready);
	// Takes `steps` steps of the two orderings, the range standing in arrival order
	// before and after, as at the start of a step. Tells `progress` of the steps it
	// orders, from `clock` on.
	void take(ready_range& ready, long long steps, long long clock, std::int32_t finished,
	          progress_meter& progress);
	// How often it has jumped since the start, for the tests.
	long long jumps_taken() const { return jumps_; }

private:
	const std::int32_t* arrangement(std::size_t k) const
	{
		return cells_.data() + k * static_cast<std::size_t>(width_) + static_cast<std::size_t>(gone_);
	}
	long long phase_of(std::size_t k) const { return step_of_[k] - step_of_[first_]; }

	bool came_round(ready_range& ready);
	void remember(std::uint64_t hash, const ready_range& ready);
	void keep_every_other();
	void index_hashes();
	std::size_t free_slot(std::uint64_t hash) const;
	void take_one(ready_range& ready);
	long long jump(ready_range& ready, long long steps);
	void carry(const std::int32_t* from, const std::int32_t* to, const column<std::int32_t>& present,
	           column<std::int32_t>& moved);
	void turn(const column<std::int32_t>& present, long long rounds, column<std::int32_t>& turned);

	// The remembered arrangements, each as it stood at the start of its step with
	// `width_` processes, of which the first `gone_` have left the range since.
	std::vector<std::int32_t> cells_;
	std::vector<long long> step_of_;
	std::vector<std::uint64_t> hash_of_;
	std::int32_t width_ = 0;
	std::int32_t gone_ = 0;
	std::size_t kept_ = 0;
	std::size_t most_kept_ = 0;
	// Remembered steps lie this far apart.
	long long spacing_ = 1;
	// Steps taken since the start, while the cycle is not known.
	long long steps_ = 0;
	// An open-addressed table of the remembered arrangements by hash: entry k + 1, or 0.
	std::vector<std::uint32_t> slots_;

	// Once the keys have come round: the cycle begins at remembered arrangement first_
	// and lasts length_ steps, at the end of which the first round's processes stand as
	// in end_. The range now stands at step phase_ of it, and next_ is the first
	// remembered arrangement at or after that step.
	bool cycle_known_ = false;
	std::size_t first_ = 0;
	long long length_ = 0;
	column<std::int32_t> end_;
	long long phase_ = 0;
	std::size_t next_ = 0;
	long long jumps_ = 0;

	// By process number and by position.
	column<std::int32_t> position_of_;
	column<std::int32_t> moved_;
	column<std::int32_t> turned_;
	// A round of the cycle, as a position map.
	cycle round_;
};

} // namespace priority_sched

#endif
