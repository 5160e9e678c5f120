#include "cycles.hpp"

#include <algorithm>

namespace priority_sched {

namespace {

// The first steps of a stretch are remembered with their priority ordering too, so that
// a short cycle is replayed to its event without ordering anything.
constexpr long long steps_remembered_with_their_ordering = 8;

} // namespace

cycle_finder::cycle_finder(std::int32_t processes)
    : place_(static_cast<std::size_t>(processes)), position_of_(static_cast<std::size_t>(processes))
{
}

void cycle_finder::start(const ready_range& ready)
{
	checkpoints_.start(ready, ready.size());
	steps_ = 0;
	runs_.clear();
	units_.assign(ready.order().size(), 0);
	note_positions(ready.order().data(), ready.size(), place_);
}

bool cycle_finder::found(const ready_range& ready)
{
	const std::optional<std::size_t> k = checkpoints_.look(steps_, ready, units_.data());
	if (k)
		match_ = *k;
	return k.has_value();
}

// Who ran is kept only while someone listens: each run of one process is then a segment
// that the observer takes, and it stops listening at its bound.
void cycle_finder::ran(const ready_range& ready)
{
	const std::int32_t runner = ready.process_at(0);
	units_[place_[runner]]++;
	if (steps_ < steps_remembered_with_their_ordering) {
		const auto step = static_cast<std::size_t>(steps_);
		if (priority_ordered_.size() == step)
			priority_ordered_.emplace_back();
		priority_ordered_[step].assign(ready.order().begin(), ready.order().end());
	}
	if (ready.watched()) {
		if (!runs_.empty() && runs_.back().process == runner)
			runs_.back().end++;
		else
			runs_.push_back({runner, steps_ + 1});
	}
	steps_++;
}

bool cycle_finder::back_at_the_last_start(const ready_range& ready) const
{
	const std::size_t count = checkpoints_.count();
	return count > 0 && checkpoints_.step(count - 1) == steps_ - 1 &&
	       std::equal(ready.order().begin(), ready.order().end(), checkpoints_.order(count - 1));
}

cycle cycle_finder::measure(const ready_range& ready)
{
	const std::int32_t* const start = checkpoints_.order(match_);
	const std::int32_t* const units_at_start = checkpoints_.extra(match_);
	note_positions(ready.order().data(), ready.size(), position_of_);
	cycle c;
	c.steps = steps_ - checkpoints_.step(match_);
	for (std::int32_t position = 0; position < ready.size(); position++) {
		const std::int32_t process = start[position];
		c.next.push_back(position_of_[process]);
		c.units.push_back(units_[place_[process]] - units_at_start[place_[process]]);
	}
	if (ready.watched()) {
		note_positions(start, ready.size(), position_of_);
		runs_between(checkpoints_.step(match_), steps_, [&](std::int32_t process, long long, long long steps) {
			c.runs.push_back({position_of_[process], steps});
		});
	}
	return c;
}

bool cycle_finder::replay_to_event(ready_range& ready, long long& clock, long long next_arrival)
{
	const long long start = checkpoints_.step(match_);
	const column<std::int32_t> now = ready.order();
	note_positions(checkpoints_.order(match_), ready.size(), position_of_);
	// The process now standing where `process` stood at the start of the cycle.
	auto stand_in = [&](std::int32_t process) { return now[position_of_[process]]; };
	// Whole cycles were taken so as to leave the event within the next one.
	std::size_t k = match_;
	for (std::size_t last = checkpoints_.count() - 1; k < last;) {
		const std::size_t middle = k + (last - k + 1) / 2;
		if (reached(middle, now, ready, next_arrival - 1 - clock))
			k = middle;
		else
			last = middle - 1;
	}
	const long long step = checkpoints_.step(k);
	if (ready.watched())
		runs_between(start, step, [&](std::int32_t process, long long from, long long steps) {
			ready.tell(stand_in(process), clock + (from - start), steps);
		});
	const std::int32_t* const order = checkpoints_.order(k);
	for (std::int32_t q = 0; q < ready.size(); q++)
		ready.left(stand_in(order[q])) -= ran_between(match_, k, order[q]);
	clock += step - start;
	const column<std::int32_t>* const ordered =
	        step < steps_remembered_with_their_ordering ? &priority_ordered_[static_cast<std::size_t>(step)] : nullptr;
	const bool at_the_event =
	        ordered != nullptr && (ready.left(stand_in(ordered->front())) == 1 || clock + 1 == next_arrival);
	carry(checkpoints_.order(match_), at_the_event ? ordered->data() : order, now, position_of_, moved_);
	ready.rearrange(moved_);
	return at_the_event;
}

// Whether nobody has finished by the step of checkpoint k of the cycle, the process now
// at each position standing in for the one that stood there at its start, and that step
// is no more than `steps_left` steps on. position_of_ holds the positions at the start.
bool cycle_finder::reached(std::size_t k, const column<std::int32_t>& now, const ready_range& ready,
                           long long steps_left) const
{
	if (checkpoints_.step(k) - checkpoints_.step(match_) > steps_left)
		return false;
	const std::int32_t* const order = checkpoints_.order(k);
	for (std::int32_t q = 0; q < now.count(); q++)
		if (ready.left(now[position_of_[order[q]]]) - ran_between(match_, k, order[q]) < 1)
			return false;
	return true;
}

std::int32_t cycle_finder::ran_between(std::size_t from, std::size_t to, std::int32_t process) const
{
	const std::int32_t place = place_[process];
	return checkpoints_.extra(to)[place] - checkpoints_.extra(from)[place];
}

template <typename Each>
void cycle_finder::runs_between(long long from, long long to, Each each) const
{
	auto r = std::upper_bound(runs_.begin(), runs_.end(), from,
	                          [](long long step, const run& later) { return step < later.end; });
	for (long long begin = from; r != runs_.end() && begin < to; begin = r->end, ++r)
		each(r->process, begin, std::min(r->end, to) - begin);
}

std::size_t cycle_finder::bytes_held() const
{
	std::size_t bytes = checkpoints_.bytes_held() + runs_.capacity() * sizeof(run) +
	                    (units_.capacity() + place_.capacity() + position_of_.capacity() + moved_.capacity()) *
	                            sizeof(std::int32_t);
	for (const column<std::int32_t>& order : priority_ordered_)
		bytes += order.capacity() * sizeof(std::int32_t);
	return bytes;
}

namespace {

// The steps of `cycles` cycles, told a run at a time: the process that runs at a given
// point of a cycle is the one that stands, when the cycle starts, where that point's
// runner stood at the start of the measured cycle. Each cycle brings a new segment
// unless one process runs throughout, so this ends once the range is no longer watched.
void tell_whole_cycles(const ready_range& ready, const cycle& c, long long cycles, long long clock)
{
	const std::int32_t first = c.runs.front().from;
	if (c.runs.size() == 1 && c.next[first] == first) {
		ready.tell(ready.process_at(first), clock, cycles * c.steps);
		return;
	}
	column<std::int32_t> came_from(c.next.size());
	for (std::int32_t position = 0; position < c.next.count(); position++)
		came_from[c.next[position]] = position;
	// Where each run's process stands at the start of the present cycle, by the positions
	// of the arrangement before the first.
	std::vector<cycle::run> stands = c.runs;
	for (long long round = 0; round < cycles && ready.watched(); round++) {
		for (cycle::run& r : stands) {
			ready.tell(ready.process_at(r.from), clock, r.steps);
			clock += r.steps;
			r.from = came_from[r.from];
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
