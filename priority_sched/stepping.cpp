#include "stepping.hpp"

#include "cycles.hpp"
#include "ready_range.hpp"

namespace {

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
                 run_trace* trace)
{
	finder.start();
	bool searching = next_arrival - clock > 2;
	for (;;) {
		bool ordered = false;
		if (searching && finder.found(ready)) {
			clock += take_whole_cycles(ready, finder.measure(ready), clock, next_arrival, trace);
			// The next event now lies within one more cycle: step on to it.
			ordered = finder.replay_to_event(ready, clock, next_arrival, trace);
			searching = false;
		}
		if (!ordered)
			ready.order_by_priority();
		finder.ran(ready);
		const std::int32_t runner = ready.process_at(0);
		if (trace != nullptr)
			trace->ran(ready.record(runner), clock, 1);
		clock++;
		if (--ready.left(runner) == 0)
			return true;
		if (clock == next_arrival)
			return false;
		ready.order_by_arrival();
	}
}

} // namespace

std::int32_t step_to_last_arrival(process_table& t, std::int32_t finished, long long& clock,
                                  const finish_report& report, run_trace* trace)
{
	const std::int32_t last_arrival = t.arrival.back();
	ready_range ready(t, finished);
	cycle_finder finder(t.size() - finished);
	while (finished < t.size()) {
		// Each step orders the unfinished processes by arrival. Those that have not
		// arrived stand behind the range already in that order, and arrive later than
		// every process in it, so the ordering leaves them where they are.
		ready.admit(clock);
		ready.order_by_arrival();
		if (ready.empty()) {
			// Idle steps change nothing but the clock, so it moves straight to the
			// next arrival.
			clock = ready.next_arrival();
			continue;
		}
		if (clock >= last_arrival)
			break;
		if (run_stretch(ready, finder, clock, ready.next_arrival(), trace)) {
			ready.finish_front(t, finished);
			report(finished, clock);
			finished++;
		}
	}
	ready.write_back(t, finished);
	return finished;
}
