#include "fixed_front.hpp"

#include "checked.hpp"

namespace priority_sched {

void fixed_front_steps::start(const ready_range& ready)
{
	checkpoints_.start(ready, 0);
	steps_ = 0;
	cycle_known_ = false;
	jumps_ = 0;
	position_of_.resize(static_cast<std::size_t>(ready.processes()));
}

// Once the cycle is known the checkpoints are only read where they stand, not looked up.
void fixed_front_steps::front_left(const ready_range& ready)
{
	if (cycle_known_)
		end_.erase(end_.begin());
	checkpoints_.front_left(ready);
}

void fixed_front_steps::take(ready_range& ready, long long steps, long long clock, std::int32_t finished,
                             progress_meter& progress)
{
	while (steps > 0) {
		if (!cycle_known_ && came_round(ready))
			continue;
		if (cycle_known_ && next_ < checkpoints_.count() && phase_of(next_) == phase_) {
			const long long jumped = jump(ready, steps);
			steps -= jumped;
			clock += jumped;
			if (jumped > 0)
				continue;
		}
		progress.tick(clock, finished, ready.size());
		take_one(ready);
		steps--;
		clock++;
	}
}

// At the start of a step: true when the keys stand as at a checkpoint, which then
// begins the cycle.
bool fixed_front_steps::came_round(ready_range& ready)
{
	const std::optional<std::size_t> k = checkpoints_.look(steps_, ready);
	if (!k)
		return false;
	cycle_known_ = true;
	first_ = *k;
	length_ = steps_ - checkpoints_.step(*k);
	end_.assign(ready.order().begin(), ready.order().end());
	phase_ = 0;
	next_ = *k;
	return true;
}

void fixed_front_steps::take_one(ready_range& ready)
{
	ready.order_by_priority();
	ready.order_by_arrival();
	if (!cycle_known_) {
		steps_++;
		return;
	}
	if (++phase_ == length_) {
		phase_ = 0;
		next_ = first_;
	} else if (next_ < checkpoints_.count() && phase_of(next_) < phase_) {
		next_++;
	}
}

// At the step of checkpoint next_: reaches the last checkpoint of the cycle that lies no
// more than `steps` steps ahead, through whole rounds of the cycle, and returns the steps
// taken.
long long fixed_front_steps::jump(ready_range& ready, long long steps)
{
	const std::size_t k = next_;
	const long long total = phase_ + steps;
	const long long rounds = total / length_;
	const long long rest = total % length_;
	const std::size_t j = checkpoints_.last_by(first_, checkpoints_.step(first_) + rest);
	const long long jumped = rounds * length_ + phase_of(j) - phase_;
	if (jumped == 0)
		return 0;
	// Nothing but a fault of this class could make the keys stand otherwise. Where that
	// is not checked, the steps are taken one by one from here instead.
	if (!SCHED_HOLDS(ready.keys_stand_as_in(checkpoints_.order(k)))) {
		start(ready);
		return 0;
	}
	const column<std::int32_t>& present = ready.order();
	if (rounds == 0) {
		carry(checkpoints_.order(k), checkpoints_.order(j), present, position_of_, moved_);
	} else {
		carry(checkpoints_.order(k), end_.data(), present, position_of_, moved_);
		turn(moved_, rounds - 1, turned_);
		carry(checkpoints_.order(first_), checkpoints_.order(j), turned_, position_of_, moved_);
	}
	ready.rearrange(moved_);
	phase_ = phase_of(j);
	next_ = j;
	jumps_++;
	return jumped;
}

// `present` as it stands after `rounds` more whole rounds of the cycle, from its start.
void fixed_front_steps::turn(const column<std::int32_t>& present, long long rounds, column<std::int32_t>& turned)
{
	const std::int32_t n = present.count();
	const std::int32_t* const start = checkpoints_.order(first_);
	note_positions(end_.data(), n, position_of_);
	round_.next.resize(present.size());
	for (std::int32_t i = 0; i < n; i++)
		round_.next[i] = position_of_[start[i]];
	// Nobody behind the front runs.
	round_.units.assign(present.size(), 0);
	const orbits paths(round_);
	turned.resize(present.size());
	for (std::int32_t i = 0; i < n; i++)
		turned[paths.position_after(i, rounds)] = present[i];
}

} // namespace priority_sched
