#include "stepping.hpp"

#include "cycles.hpp"
#include "fixed_front.hpp"
#include "ready_range.hpp"

#include <algorithm>

namespace priority_sched {

namespace {

// Where the range is short, as it mostly is under a light load, the keys come to rest
// within a step or two.
constexpr long long steps_watched_for_a_fixed_point = 2;

// One step of the rule on a range in arrival order: the priority ordering (unless the
// range already stands as it leaves it), then the process in front runs one unit.
// Returns that process.
std::int32_t step(ready_range& ready, bool ordered, long long& clock)
{
	if (!ordered)
		ready.order_by_priority();
	const std::int32_t runner = ready.process_at(0);
	ready.run(runner, clock++, 1);
	return runner;
}

// A step that brings the range back to the arrangement it began with is every step from
// then on: the orderings compare nothing but the keys where they stand, so the same
// exchanges run the same process again and again, until it finishes or the next
// process arrives. Takes those steps at once, and leaves the range as the priority
// ordering leaves it in the last of them.
bool skip_fixed_point(ready_range& ready, std::int32_t runner, long long& clock, long long next_arrival)
{
	const long long steps = std::min(ready.left(runner), next_arrival - clock);
	ready.run(runner, clock, steps);
	clock += steps;
	ready.order_by_priority();
	return ready.left(runner) == 0;
}

// The skip over repetitions: once the keys stand as at a remembered step, whole cycles
// are taken at once, and the steps up to the next event replayed where the cycle allows.
// Returns true when the range then stands as the priority ordering of the next step
// leaves it.
bool skip_cycles(ready_range& ready, cycle_finder& finder, long long& clock, long long next_arrival)
{
	clock += take_whole_cycles(ready, finder.measure(ready), clock, next_arrival);
	// The next event now lies within one more cycle: step on to it.
	return finder.replay_to_event(ready, clock, next_arrival);
}

// Runs the steps from `clock` on while no process arrives or finishes: the ready range,
// already in arrival order for this step, keeps its processes; each step orders it by
// priority, runs the process in front for one unit and orders it by arrival again for
// the next step. Returns when the process in front has finished (true) or the clock has
// reached the next arrival (false).
//
// Equal priorities make the two unstable orderings move processes around, so the runner
// can change from step to step and the steps cannot simply be added up; but the
// arrangement of the keys comes round again, and whole rounds are taken at once.
bool run_stretch(ready_range& ready, cycle_finder& finder, long long& clock, long long next_arrival,
                 progress_meter& progress, std::int32_t finished)
{
	finder.start(ready);
	bool searching = next_arrival - clock > 2;
	for (long long steps = 0;; steps++) {
		progress.tick(clock, finished, ready.size());
		bool ordered = false;
		if (searching && finder.found(ready)) {
			ordered = skip_cycles(ready, finder, clock, next_arrival);
			searching = false;
		}
		const std::int32_t runner = step(ready, ordered, clock);
		finder.ran(ready);
		if (ready.left(runner) == 0)
			return true;
		if (clock == next_arrival)
			return false;
		ready.order_by_arrival();
		// Only the first steps are watched for it: past them a fixed point is a cycle
		// of one step, which the cycle finder takes.
		if (steps < steps_watched_for_a_fixed_point && searching && finder.back_at_the_last_start(ready))
			return skip_fixed_point(ready, runner, clock, next_arrival);
	}
}

// The steps in which a fixed front runs (fixed_front.hpp), from `clock` until it finishes
// (true) or the clock reaches the next arrival (false). The range is left in arrival
// order, as at the start of a step.
bool run_fixed_front(ready_range& ready, fixed_front_steps& behind, long long& clock, long long next_arrival,
                     progress_meter& progress, std::int32_t finished)
{
	const std::int32_t front = ready.process_at(0);
	const long long steps = std::min(ready.left(front), next_arrival - clock);
	ready.run(front, clock, steps);
	// Alone, the front has nobody to move.
	if (ready.size() > 1)
		behind.take(ready, steps, clock, finished, progress);
	clock += steps;
	return ready.left(front) == 0;
}

// A stretch over a range whose arrivals are all distinct. The selection exchange on
// distinct keys leaves them in increasing order whatever order it is given, so every
// step's arrival ordering leaves the one arrangement that the range stands in now, the
// priority ordering that follows leaves the same arrangement each time, and the same
// process runs in every step until it finishes (true) or the clock reaches the next
// arrival (false). One priority ordering, and the range stands as the last step's leaves
// it, as after run_stretch.
bool run_distinct_arrivals(ready_range& ready, long long& clock, long long next_arrival, progress_meter& progress,
                           std::int32_t finished)
{
	progress.tick(clock, finished, ready.size());
	ready.order_by_priority();
	const std::int32_t runner = ready.process_at(0);
	const long long steps = std::min(ready.left(runner), next_arrival - clock);
	ready.run(runner, clock, steps);
	clock += steps;
	return ready.left(runner) == 0;
}

} // namespace

std::int32_t step_to_last_arrival(process_table& t, std::int32_t finished, long long& clock,
                                  const finish_report& report, sched::run_observer& observer,
                                  progress_meter& progress)
{
	const std::int32_t last_arrival = t.arrival.back();
	ready_range ready(t, finished, observer);
	cycle_finder finder(t.size() - finished);
	fixed_front_steps behind;
	// Whether the steps behind a fixed front go on: its process has just finished, and
	// the processes behind it move as if it had never been there.
	bool behind_goes_on = false;
	while (finished < t.size()) {
		// Each step orders the unfinished processes by arrival. Those that have not
		// arrived stand behind the range already in that order, and arrive later than
		// every process in it, so the ordering leaves them where they are.
		if (ready.admit(clock))
			behind_goes_on = false;
		ready.order_by_arrival();
		if (ready.empty()) {
			// Idle steps change nothing but the clock, so it moves straight to the
			// next arrival.
			clock = ready.next_arrival();
			continue;
		}
		if (clock >= last_arrival)
			break;
		bool front_finished = false;
		if (ready.arrivals_distinct()) {
			front_finished = run_distinct_arrivals(ready, clock, ready.next_arrival(), progress, finished);
			behind_goes_on = false;
		} else if (ready.front_is_fixed()) {
			if (behind_goes_on)
				behind.front_left(ready);
			else
				behind.start(ready);
			front_finished = run_fixed_front(ready, behind, clock, ready.next_arrival(), progress, finished);
			behind_goes_on = front_finished;
		} else {
			front_finished = run_stretch(ready, finder, clock, ready.next_arrival(), progress, finished);
			behind_goes_on = false;
		}
		if (front_finished) {
			const std::int32_t slot = ready.finish_front();
			progress.erase();
			report(slot, clock);
			finished++;
		}
	}
	ready.write_back(t, finished);
	progress.erase();
	return finished;
}

} // namespace priority_sched
