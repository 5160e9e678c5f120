// priority_sched: preemptive priority scheduling in unit time steps.
//
// Reads a process count and that many records of name, priority, arrival and burst. The
// earliest arrival runs a first unit unconditionally; then, one unit at a time, the most
// urgent arrived process runs (a smaller number is more urgent) until the clock reaches
// the last arrival, when the unfinished processes run to their end in priority order.
// Each process is reported as it finishes: name, completion, turnaround, waiting.

#include "priority_sched.hpp"

#include "account.hpp"
#include "explain.hpp"
#include "input.hpp"
#include "process_table.hpp"
#include "progress.hpp"
#include "report_line.hpp"
#include "stepping.hpp"

#include <cerrno>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace {

// The table grows record by record instead of being sized from the count: a count that
// promises more records than the input holds then ends at the end of the input, without
// first claiming memory for records that never come.
process_table read_batch(batch_reader& input)
{
	const std::int32_t count = input.count();
	if (count < 0)
		throw failure("process count is negative");
	process_table t;
	for (long long record = 1; record <= count; record++) {
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

[[noreturn]] void fail_write()
{
	throw failure(std::string("cannot write standard output: ") + std::strerror(errno));
}

// Writes the report lines as processes finish: to the output, or, for a document that
// holds the report, into `kept` with each process's figures.
class report_writer {
public:
	explicit report_writer(std::FILE* out) : out_(out) {}
	report_writer(std::string& kept, std::vector<finished_process>& processes)
	    : out_(nullptr), kept_(&kept), processes_(&processes)
	{
	}

	void line(const process_table& t, std::int32_t slot, long long completion) const
	{
		const long long turnaround = completion - t.arrival[slot];
		const long long waiting = turnaround - t.burst[slot];
		const report_text text = report_line(t.name[slot], completion, turnaround, waiting);
		if (out_ == nullptr) {
			kept_->append(text.line, text.size);
			processes_->push_back({t.record[slot], completion, turnaround, waiting});
		} else if (std::fwrite(text.line, 1, text.size, out_) != text.size) {
			fail_write();
		}
	}

	void finish() const
	{
		if (out_ != nullptr && (std::fflush(out_) != 0 || std::ferror(out_)))
			fail_write();
	}

private:
	std::FILE* out_;
	std::string* kept_ = nullptr;
	std::vector<finished_process>* processes_ = nullptr;
};

// The final phase: every unfinished process has arrived and runs to its end, in the
// order of one priority ordering.
void run_to_end(process_table& t, std::int32_t finished, long long clock,
                const finish_report& report, run_trace* trace)
{
	t.sort_by_priority(finished, t.size());
	if (trace != nullptr && finished < t.size())
		trace->final_phase_start = clock;
	for (std::int32_t slot = finished; slot < t.size(); slot++) {
		if (trace != nullptr)
			trace->ran(t.record[slot], clock, t.remaining[slot]);
		clock += t.remaining[slot];
		report(slot, clock);
	}
}

void schedule(process_table& t, const finish_report& report, run_trace* trace)
{
	if (t.size() == 0)
		return;
	t.sort_by_arrival(0, t.size());
	progress_meter progress(progress_shown_on(), t.arrival.back(), t.size());

	// The first tick: the earliest arrival runs one unit, whatever the priorities.
	if (trace != nullptr)
		trace->ran(t.record[0], t.arrival[0], 1);
	long long clock = t.arrival[0] + 1LL;
	std::int32_t finished = 0;
	if (--t.remaining[0] == 0) {
		report(0, clock);
		finished = 1;
	}

	finished = step_to_last_arrival(t, finished, clock, report, trace, progress);
	run_to_end(t, finished, clock, report, trace);
}

std::vector<batch_record> records_of(const process_table& t)
{
	std::vector<batch_record> records;
	for (std::int32_t slot = 0; slot < t.size(); slot++)
		records.push_back({t.name[slot], t.priority[slot], t.arrival[slot], t.burst[slot]});
	return records;
}

void write_out(bool written, std::FILE* out)
{
	if (!written || std::fflush(out) != 0 || std::ferror(out))
		fail_write();
}

// --explain: the account in place of the report.
void explain_run(const process_table& batch, std::FILE* out)
{
	const std::vector<batch_record> records = records_of(batch);
	write_out(write_explanation(out, explain(batch, records)), out);
}

// --json: the report, the schedule behind it and the account, in one document.
void document_run(process_table batch, std::FILE* out, std::size_t most_listed)
{
	const std::vector<batch_record> records = records_of(batch);
	const account decisions = explain(batch, records);
	std::string report;
	std::vector<finished_process> processes;
	run_trace trace;
	trace.most_segments = most_listed;
	const report_writer writer(report, processes);
	schedule(
		batch, [&](std::int32_t slot, long long completion) { writer.line(batch, slot, completion); }, &trace);
	write_out(write_document(out, {"priority_sched", records, most_listed, report, trace, processes, decisions}),
	          out);
}

} // namespace

int priority_sched(std::FILE* in, std::FILE* out, std::FILE* err, const run_options& options)
{
	try {
		batch_reader input(in);
		process_table table = read_batch(input);
		if (options.form == output_form::explain) {
			explain_run(table, out);
		} else if (options.form == output_form::json) {
			document_run(std::move(table), out, options.most_listed);
		} else {
			const report_writer writer(out);
			schedule(
				table, [&](std::int32_t slot, long long completion) { writer.line(table, slot, completion); },
				options.trace);
			writer.finish();
		}
		return 0;
	} catch (const failure& problem) {
		std::fprintf(err, "priority_sched: %s\n", problem.what());
	} catch (const std::bad_alloc&) {
		std::fprintf(err, "priority_sched: out of memory\n");
	}
	return 1;
}
