// priority_sched: preemptive priority scheduling in unit time steps.
//
// Reads a process count and that many records of name, priority, arrival and burst. The
// earliest arrival runs a first unit unconditionally; then, one unit at a time, the most
// urgent arrived process runs (a smaller number is more urgent) until the clock reaches
// the last arrival, when the unfinished processes run to their end in priority order.
// Each process is reported as it finishes: name, completion, turnaround, waiting.

#include "priority_sched.hpp"

#include "batch_reader.hpp"
#include "explain.hpp"
#include "process_table.hpp"
#include "progress.hpp"
#include "stepping.hpp"

#include <vector>

namespace priority_sched {

namespace {

// The table grows record by record instead of being sized from the count: a count that
// promises more records than the input holds then ends at the end of the input, without
// first claiming memory for records that never come.
process_table read_batch(sched::batch_reader& input)
{
	process_table t;
	for (long long record = 1, count = input.record_count(); record <= count; record++) {
		t.name.push_back(input.name(record));
		t.priority.push_back(input.number(record, "priority"));
		t.arrival.push_back(input.number(record, "arrival"));
		const std::int32_t burst = input.number(record, "burst");
		// A process with no time to run would hold its slot forever and the
		// simulation would never end.
		if (burst < 1)
			input.reject(record, "burst is below 1");
		t.burst.push_back(burst);
		t.remaining.push_back(burst);
		t.record.push_back(static_cast<std::int32_t>(record));
	}
	input.end();
	return t;
}

// Each process's line as it finishes.
finish_report report_to(const sched::report_writer& writer, const process_table& t)
{
	return [&writer, &t](std::int32_t slot, long long completion) {
		const long long turnaround = completion - t.arrival[slot];
		const long long waiting = turnaround - t.burst[slot];
		writer.line(sched::report_line(t.name[slot], {completion, turnaround, waiting}),
		            {t.record[slot], completion, turnaround, waiting});
	};
}

// The final phase: every unfinished process has arrived and runs to its end, in the
// order of one priority ordering.
void run_to_end(process_table& t, std::int32_t finished, long long clock, const finish_report& report,
                sched::run_observer& observer)
{
	t.order_by_priority(finished, t.size());
	if (finished < t.size())
		observer.final_phase(clock);
	for (std::int32_t slot = finished; slot < t.size(); slot++) {
		observer.ran(t.record[slot], clock, t.remaining[slot]);
		clock += t.remaining[slot];
		report(slot, clock);
	}
}

void schedule(process_table& t, const finish_report& report, sched::run_observer& observer)
{
	if (t.size() == 0)
		return;
	t.order_by_arrival(0, t.size());
	progress_meter progress(progress_shown_on(), t.arrival.back(), t.size());

	// The first tick: the earliest arrival runs one unit, whatever the priorities.
	observer.ran(t.record[0], t.arrival[0], 1);
	long long clock = t.arrival[0] + 1LL;
	std::int32_t finished = 0;
	if (--t.remaining[0] == 0) {
		report(0, clock);
		finished = 1;
	}

	finished = step_to_last_arrival(t, finished, clock, report, observer, progress);
	run_to_end(t, finished, clock, report, observer);
}

std::vector<sched::batch_record> records_of(const process_table& t)
{
	std::vector<sched::batch_record> records;
	for (std::int32_t slot = 0; slot < t.size(); slot++)
		records.push_back({t.name[slot], t.priority[slot], t.arrival[slot], t.burst[slot]});
	return records;
}

} // namespace

int run(std::FILE* in, std::FILE* out, std::FILE* err, const sched::run_options& options)
{
	return sched::run_guarded("priority_sched", out, err, [&] {
		sched::batch_reader input(in);
		process_table t = read_batch(input);
		sched::write_form({"priority_sched", [&] { return records_of(t); },
		                   [&](const std::vector<sched::batch_record>& records) { return explain(t, records); },
		                   [&](const sched::report_writer& writer, sched::run_trace* trace) {
					   schedule(t, report_to(writer, t), sched::observer_of(trace));
				   }},
		                  out, options);
	});
}

} // namespace priority_sched
