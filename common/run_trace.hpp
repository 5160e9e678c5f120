#ifndef SCHED_RUN_TRACE_HPP
#define SCHED_RUN_TRACE_HPP

// The page and the JSON document read every scheduler's schedule the same way.

#include <cstdint>
#include <optional>
#include <vector>

namespace sched {

// One stretch of time in which one process ran without a break: the process by its place
// in the input (the first record is 1), from `start` up to but not including `end`.
struct run_segment {
	std::int32_t record;
	long long start;
	long long end;
};

// Told who ran from when to when, in time order, as a scheduler runs. An observer that
// has taken all it can stops listening, and a scheduler that would have to work to tell
// it more (to unfold steps it takes many at once) need not.
class run_observer {
public:
	virtual ~run_observer() = default;
	// `record` ran for `units` units from `start` on.
	virtual void ran(std::int32_t record, long long start, long long units) = 0;
	// The final phase began at `clock`.
	virtual void final_phase(long long clock) = 0;
	virtual bool listening() const = 0;
};

// The observer of a run that nobody watches.
inline run_observer& nobody()
{
	class deaf final : public run_observer {
		void ran(std::int32_t, long long, long long) override {}
		void final_phase(long long) override {}
		bool listening() const override { return false; }
	};
	static deaf none;
	return none;
}

// The schedule behind a report, for drawing it: the maximal segments in time order, up
// to a number a chart can show. In the preemptive schedulers the first segment begins
// with the first tick, and idle time is what lies between segments. Only time that a
// process takes makes a segment: a process that takes none (a burst of 0 or less in the
// FCFS programs, a time left of 0 or less when the final phase of srtf_sched reaches
// it) gets none for it.
//
// This is where the segments are bounded: past `most_segments` the trace stops listening.
struct run_trace final : run_observer {
	std::size_t most_segments = 10000;
	std::vector<run_segment> segments;
	// Where the schedule was cut, when it has more than `most_segments` segments: the
	// start of the first one left out, up to which the segments kept are whole.
	std::optional<long long> cut_at;
	// When the final phase began, if the run had one.
	std::optional<long long> final_phase_start;

	bool cut_short() const { return cut_at.has_value(); }

	void ran(std::int32_t record, long long start, long long units) override
	{
		if (units <= 0 || cut_short())
			return;
		if (!segments.empty() && segments.back().record == record && segments.back().end == start)
			segments.back().end += units;
		else if (segments.size() == most_segments)
			cut_at = start;
		else
			segments.push_back({record, start, start + units});
	}
	void final_phase(long long clock) override { final_phase_start = clock; }
	bool listening() const override { return !cut_short(); }
};

// Whom a run tells of its schedule: the trace, if it is given one.
inline run_observer& observer_of(run_trace* trace)
{
	if (trace == nullptr)
		return nobody();
	return *trace;
}

} // namespace sched

#endif
