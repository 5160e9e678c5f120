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

// The schedule behind a report, for drawing it: the maximal segments in time order, up
// to a number a chart can show. In the preemptive schedulers the first segment begins
// with the first tick, and idle time is what lies between segments. Only time that a
// process takes makes a segment: a process that takes none (a burst of 0 or less in the
// FCFS programs, a time left of 0 or less when the final phase of srtf_sched reaches
// it) gets none for it.
struct run_trace {
	std::size_t most_segments = 10000;
	std::vector<run_segment> segments;
	// True when the schedule has more segments than `most_segments`; the rest are left out.
	bool cut_short = false;
	// When the final phase began, if the run had one.
	std::optional<long long> final_phase_start;

	// `record` ran for `units` units from `start` on.
	void ran(std::int32_t record, long long start, long long units)
	{
		if (units <= 0)
			return;
		if (!segments.empty() && segments.back().record == record && segments.back().end == start)
			segments.back().end += units;
		else if (segments.size() == most_segments)
			cut_short = true;
		else
			segments.push_back({record, start, start + units});
	}
};

} // namespace sched

#endif
