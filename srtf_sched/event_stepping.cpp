// The stepping phase, event by event.
//
// Unit by unit, each step orders the ready range with the stable `burst_sort` and runs
// its first process. The ready range is always in order of time left, then arrival, then
// input order: the first step finds it in arrival order (slots in arrival order, equal
// arrivals in input order), the process in front only moves further ahead while it runs,
// and a process joins at the back with an arrival later than all before it, so that
// stability puts it behind every process that has as much time left. Each step thus runs
// the ready process that is least in (time left, arrival, input order). With the table in
// arrival order that is (time left, slot), and a priority queue keyed so picks the same
// process as the unit steps, without ordering anything.
//
// Between two events (an arrival, or the finish of the running process) that choice
// never changes: the process in front only gets further ahead, so it runs until the next
// arrival or until its time left reaches 0, whichever comes first. A process whose time
// left is 0 or less never reaches 0 again and runs until the next arrival. Idle steps
// change nothing but the clock, which moves straight to the next arrival.

#include "event_stepping.hpp"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

namespace srtf_sched {

namespace {

// The ready processes, by slot, the next to run first.
class ready_queue {
public:
	explicit ready_queue(const process_table& t) : runs_later_{t} {}

	bool empty() const { return heap_.empty(); }
	std::size_t front() const { return heap_.front(); }

	void push(std::size_t slot)
	{
		heap_.push_back(slot);
		std::push_heap(heap_.begin(), heap_.end(), runs_later_);
	}

	void pop()
	{
		std::pop_heap(heap_.begin(), heap_.end(), runs_later_);
		heap_.pop_back();
	}

	// The slots still queued, the last slot first.
	std::vector<std::size_t> take_slots_downwards()
	{
		std::sort(heap_.begin(), heap_.end(), std::greater<>());
		return std::move(heap_);
	}

private:
	// The running process's time left only falls, which keeps it in front of the rest,
	// so the queue stays in order while it runs.
	struct later {
		const process_table& t;

		bool operator()(std::size_t a, std::size_t b) const
		{
			return t.remaining[a] > t.remaining[b] || (t.remaining[a] == t.remaining[b] && a > b);
		}
	};

	later runs_later_;
	std::vector<std::size_t> heap_;
};

} // namespace

std::size_t step_to_last_arrival(process_table& t, std::size_t finished, long long& clock,
                                 const finish_report& report, sched::run_trace* trace)
{
	const std::size_t count = t.size();
	const std::int32_t last_arrival = t.arrival.back();
	ready_queue ready(t);
	// The first slot not yet queued; slot 0 is queued unless the first tick finished it.
	std::size_t next = finished;
	while (finished < count) {
		for (; next < count && t.arrival[next] <= clock; next++)
			ready.push(next);
		if (ready.empty()) {
			clock = t.arrival[next];
			continue;
		}
		if (clock >= last_arrival)
			break;
		// The clock is before the last arrival, so a slot is still to come.
		const std::size_t running = ready.front();
		long long units = t.arrival[next] - clock;
		if (t.remaining[running] > 0)
			units = std::min(units, t.remaining[running]);
		t.remaining[running] -= units;
		if (trace != nullptr)
			trace->ran(t.record[running], clock, units);
		clock += units;
		if (t.remaining[running] == 0) {
			report(running, clock);
			ready.pop();
			finished++;
		}
	}

	// Every process has arrived by now: the unfinished ones move behind the finished,
	// keeping their arrival order. Each moves up or stays, never onto one still to move.
	// The unit steps would leave them in order of time left, then arrival, then input
	// order; either way the final phase's stable ordering by time left gives the same.
	std::size_t to = count;
	for (const std::size_t slot : ready.take_slots_downwards())
		t.copy_slot(slot, --to);
	return to;
}

} // namespace srtf_sched
