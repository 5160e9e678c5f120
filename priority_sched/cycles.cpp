#include "cycles.hpp"

#include <algorithm>

namespace priority_sched {

namespace {

// How many steps are remembered at a time: at most most_remembered, and no more than
// most_remembered_processes processes in all, but never fewer than fewest_remembered.
constexpr long long most_remembered = 64;
constexpr long long fewest_remembered = 8;
constexpr long long most_remembered_processes = 1 << 22;
// The first steps of a stretch are remembered with their priority ordering too, so that
// a short cycle is replayed to its event without ordering anything.
constexpr long long steps_remembered_with_their_ordering = 8;
// The first epoch's length; each next one is twice as long.
constexpr long long first_epoch = 1 << 22;

} // namespace

cycle_finder::cycle_finder(std::int32_t processes)
    : position_of_(static_cast<std::size_t>(processes)), units_(static_cast<std::size_t>(processes))
{
}

void cycle_finder::start(std::int32_t processes)
{
	kept_ = 0;
	// Each remembered step holds the range: a long range remembers fewer.
	most_kept_ = static_cast<std::size_t>(
	        std::clamp<long long>(most_remembered_processes / std::max(processes, 1), fewest_remembered, most_remembered));
	spacing_ = 1;
	epoch_start_ = 0;
	epoch_length_ = first_epoch;
	runners_.clear();
	first_runner_step_ = 0;
	match_ = nullptr;
}

bool cycle_finder::found(ready_range& ready)
{
	const long long step = steps();
	const std::uint64_t hash = ready.key_hash();
	for (std::size_t i = 0; i < kept_; i++) {
		if (hashes_[i] == hash && ready.keys_stand_as_in(remembered_[i].order)) {
			match_ = &remembered_[i];
			return true;
		}
	}
	if (step - epoch_start_ == epoch_length_) {
		// The runners of an epoch are kept for measuring its cycle; past its end a new
		// epoch, twice as long, starts afresh, so that they never outgrow it.
		epoch_start_ = step;
		epoch_length_ *= 2;
		spacing_ = 1;
		kept_ = 0;
		runners_.clear();
		first_runner_step_ = step;
	}
	if ((step - epoch_start_) % spacing_ != 0)
		return false;
	if (kept_ == most_kept_)
		keep_every_other();
	remember(step, hash, ready);
	return false;
}

// The remembered steps are the epoch's steps 0, s, 2s, ... up to the most kept: those at
// 0, 2s, 4s, ... stay, and from now on only every 2s-th step is remembered.
void cycle_finder::keep_every_other()
{
	std::size_t kept = 0;
	for (std::size_t i = 0; i < kept_; i += 2, kept++) {
		std::swap(remembered_[kept], remembered_[i]);
		hashes_[kept] = hashes_[i];
	}
	kept_ = kept;
	spacing_ *= 2;
}

// The snapshots are kept from stretch to stretch, so that their columns are not
// allocated again for every stretch.
void cycle_finder::remember(long long step, std::uint64_t hash, const ready_range& ready)
{
	if (kept_ == remembered_.size()) {
		remembered_.emplace_back();
		hashes_.push_back(0);
	}
	snapshot& s = remembered_[kept_];
	hashes_[kept_] = hash;
	kept_++;
	s.step = step;
	s.order.assign(ready.order().begin(), ready.order().end());
	s.ordered_by_priority = false;
}

void cycle_finder::ran(const ready_range& ready)
{
	const long long step = steps();
	runners_.push_back(ready.process_at(0));
	if (step < steps_remembered_with_their_ordering && kept_ > 0 && remembered_[kept_ - 1].step == step) {
		snapshot& s = remembered_[kept_ - 1];
		s.order_by_priority.assign(ready.order().begin(), ready.order().end());
		s.ordered_by_priority = true;
	}
}

bool cycle_finder::back_at_the_last_start(const ready_range& ready) const
{
	return kept_ > 0 && remembered_[kept_ - 1].step == steps() - 1 && remembered_[kept_ - 1].order == ready.order();
}

cycle cycle_finder::measure(const ready_range& ready)
{
	for (std::int32_t position = 0; position < ready.size(); position++)
		position_of_[ready.process_at(position)] = position;
	for (const std::int32_t process : match_->order)
		units_[process] = 0;
	for (long long step = match_->step; step < steps(); step++)
		units_[runner(step)]++;
	cycle c;
	c.steps = steps() - match_->step;
	for (const std::int32_t process : match_->order) {
		c.next.push_back(position_of_[process]);
		c.units.push_back(units_[process]);
	}
	for (std::int32_t position = 0; position < match_->order.count(); position++)
		position_of_[match_->order[position]] = position;
	for (long long step = match_->step; step < steps(); step++)
		c.runner_from.push_back(position_of_[runner(step)]);
	return c;
}

bool cycle_finder::replay_to_event(ready_range& ready, long long& clock, long long next_arrival)
{
	for (std::int32_t position = 0; position < ready.size(); position++)
		position_of_[match_->order[position]] = position;
	const column<std::int32_t> now = ready.order();
	// The process now standing where `process` stood at the start of the cycle.
	auto stand_in = [&](std::int32_t process) { return now[position_of_[process]]; };
	for (const std::int32_t process : now)
		units_[process] = 0;
	// Whole cycles were taken so as to leave the event within the next one.
	long long event = match_->step;
	for (; event < steps(); event++) {
		const std::int32_t runner_now = stand_in(runner(event));
		if (ready.left(runner_now) - units_[runner_now] == 1 || clock + (event - match_->step) + 1 == next_arrival)
			break;
		units_[runner_now]++;
	}
	const snapshot& then = last_remembered_by(event);
	for (long long step = match_->step; step < then.step; step++) {
		ready.run(stand_in(runner(step)), clock++, 1);
	}
	const bool at_the_event = then.step == event && then.ordered_by_priority;
	const column<std::int32_t>& order = at_the_event ? then.order_by_priority : then.order;
	column<std::int32_t> present(order.size());
	for (std::int32_t position = 0; position < order.count(); position++)
		present[position] = stand_in(order[position]);
	ready.rearrange(present);
	return at_the_event;
}

// The latest remembered step of the cycle that is not later than `step`.
const cycle_finder::snapshot& cycle_finder::last_remembered_by(long long step) const
{
	const snapshot* latest = match_;
	for (std::size_t i = 0; i < kept_; i++)
		if (remembered_[i].step > latest->step && remembered_[i].step <= step)
			latest = &remembered_[i];
	return *latest;
}

namespace {

// The steps of `cycles` cycles, told one by one: the process that runs at a given point
// of a cycle is the one that stands, when the cycle starts, where that point's runner
// stood at the start of the measured cycle. Each cycle brings a new segment unless one
// process runs throughout, so this ends once the range is no longer watched.
void tell_whole_cycles(const ready_range& ready, const cycle& c, long long cycles, long long clock)
{
	const std::int32_t runner = c.runner_from[0];
	const bool one_runner = c.next[runner] == runner &&
	                        std::all_of(c.runner_from.begin(), c.runner_from.end(),
	                                    [&](std::int32_t from) { return from == runner; });
	if (one_runner) {
		ready.tell(ready.process_at(runner), clock, cycles * c.steps);
		return;
	}
	column<std::int32_t> came_from(c.next.size());
	for (std::int32_t position = 0; position < c.next.count(); position++)
		came_from[c.next[position]] = position;
	// Where each point's runner stands at the start of the present cycle, by the positions
	// of the arrangement before the first.
	column<std::int32_t> stands = c.runner_from;
	for (long long round = 0; round < cycles && ready.watched(); round++) {
		for (std::int32_t point = 0; point < stands.count(); point++) {
			ready.tell(ready.process_at(stands[point]), clock++, 1);
			stands[point] = came_from[stands[point]];
		}
	}
}

} // namespace

long long take_whole_cycles(ready_range& ready, const cycle& c, long long clock, long long next_arrival)
{
	const orbits paths(c);
	// Only a process on a path that runs at all can finish.
	column<std::int32_t> running;
	for (std::int32_t position = 0; position < ready.size(); position++)
		if (paths.units_per_round(position, c) > 0)
			running.push_back(position);
	auto all_still_running = [&](long long cycles) {
		for (const std::int32_t position : running)
			if (paths.units(position, cycles, c) >= ready.left(ready.process_at(position)))
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
	if (cycles == 0)
		return 0;
	if (ready.watched())
		tell_whole_cycles(ready, c, cycles, clock);

	for (const std::int32_t position : running)
		ready.left(ready.process_at(position)) -= paths.units(position, cycles, c);
	column<std::int32_t> to(static_cast<std::size_t>(ready.size()));
	for (std::int32_t position = 0; position < ready.size(); position++)
		to[position] = paths.position_after(position, cycles);
	ready.move(to);
	return cycles * c.steps;
}

} // namespace priority_sched
