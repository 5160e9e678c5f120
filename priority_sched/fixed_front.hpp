#ifndef PRIORITY_SCHED_FIXED_FRONT_HPP
#define PRIORITY_SCHED_FIXED_FRONT_HPP

#include "checkpoints.hpp"
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
// This takes such steps many at a time. It looks the keys at the start of each step up
// among checkpoints (checkpoints.hpp), as the cycle finder does. Once the keys have
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
	long long phase_of(std::size_t k) const { return checkpoints_.step(k) - checkpoints_.step(first_); }

	bool came_round(ready_range& ready);
	void take_one(ready_range& ready);
	long long jump(ready_range& ready, long long steps);
	void turn(const column<std::int32_t>& present, long long rounds, column<std::int32_t>& turned);

	checkpoint_store checkpoints_;
	// Steps taken since the start, while the cycle is not known.
	long long steps_ = 0;

	// Once the keys have come round: the cycle begins at checkpoint first_
	// and lasts length_ steps, at the end of which the first round's processes stand as
	// in end_. The range now stands at step phase_ of it, and next_ is the first
	// checkpoint at or after that step.
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
