// srtf_sched: preemptive shortest-remaining-time-first scheduling in unit time steps.
//
// Reads a process count and that many records of name, arrival and burst. The earliest
// arrival runs a first unit unconditionally; then, one unit at a time, the arrived
// process with the least time left runs until the clock reaches the last arrival, when
// the unfinished processes run to their end, shortest first. Each process is reported as
// it finishes: name, arrival, burst, completion, turnaround, waiting.

#include "srtf_sched.hpp"

#include "batch_reader.hpp"
#include "event_stepping.hpp"
#include "explain.hpp"
#include "process_table.hpp"
#include "stable_order.hpp"

#include <optional>
#include <vector>

namespace srtf_sched {

namespace {

// The table grows record by record, from the room that records_to_reserve gives, instead
// of being sized from the count: a count that promises more records than the input holds
// then ends at the end of the input, without first claiming memory for records that
// never come.
process_table read_batch(sched::batch_reader& input)
{
	process_table t;
	const std::int32_t count = input.record_count();
	t.name.reserve(sched::records_to_reserve(count));
	t.arrival.reserve(sched::records_to_reserve(count));
	t.remaining.reserve(sched::records_to_reserve(count));
	t.burst.reserve(sched::records_to_reserve(count));
	t.record.reserve(sched::records_to_reserve(count));
	for (long long record = 1; record <= count; record++) {
		t.name.push_back(input.name(record));
		t.arrival.push_back(input.number(record, "arrival"));
		const std::int32_t burst = input.number(record, "burst");
		t.remaining.push_back(burst);
		t.burst.push_back(burst);
		t.record.push_back(static_cast<std::int32_t>(record));
	}
	input.end();
	return t;
}

// Each process's line as it finishes.
finish_report report_to(const sched::report_writer& writer, const process_table& t)
{
	return [&writer, &t](std::size_t slot, long long completion) {
		const long long turnaround = completion - t.arrival[slot];
		const long long waiting = turnaround - t.burst[slot];
		writer.line(sched::report_line(t.name[slot], {t.arrival[slot], t.burst[slot], completion, turnaround, waiting}),
		            {t.record[slot], completion, turnaround, waiting});
	};
}

// The final phase: every unfinished process has arrived and runs to its end, shortest
// first.
void run_to_end(process_table& t, std::size_t finished, long long clock, const finish_report& report,
                sched::run_trace* trace)
{
	order_by_remaining(t, finished, t.size());
	if (trace != nullptr && finished < t.size())
		trace->final_phase_start = clock;
	for (std::size_t slot = finished; slot < t.size(); slot++) {
		if (trace != nullptr)
			trace->ran(t.record[slot], clock, t.remaining[slot]);
		clock += t.remaining[slot];
		report(slot, clock);
	}
}

void schedule(process_table& t, const finish_report& report, sched::run_trace* trace)
{
	if (t.size() == 0)
		return;
	order_by_arrival(t, 0, t.size());

	// The first tick: the earliest arrival runs one unit, whatever the bursts.
	if (trace != nullptr)
		trace->ran(t.record[0], t.arrival[0], 1);
	long long clock = t.arrival[0] + 1LL;
	std::size_t finished = 0;
	if (--t.remaining[0] == 0) {
		report(0, clock);
		finished = 1;
	}

	finished = step_to_last_arrival(t, finished, clock, report, trace);
	run_to_end(t, finished, clock, report, trace);
}

std::vector<sched::batch_record> records_of(const process_table& t)
{
	std::vector<sched::batch_record> records;
	for (std::size_t slot = 0; slot < t.size(); slot++)
		records.push_back({t.name[slot], std::nullopt, t.arrival[slot], t.burst[slot]});
	return records;
}

} // namespace

int run(std::FILE* in, std::FILE* out, std::FILE* err, const sched::run_options& options)
{
	return sched::run_guarded("srtf_sched", out, err, [&] {
		sched::batch_reader input(in);
		process_table t = read_batch(input);
		sched::write_form({"srtf_sched", [&] { return records_of(t); },
		                   [&](const std::vector<sched::batch_record>& records) { return explain(t, records); },
		                   [&](const sched::report_writer& writer, sched::run_trace* trace) {
					   schedule(t, report_to(writer, t), trace);
				   }},
		                  out, options);
	});
}

} // namespace srtf_sched
