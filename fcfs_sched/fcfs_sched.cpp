// fcfs_sched: first come, first served.
//
// Reads a process count and that many records of name token, arrival and burst,
// dispatches the processes in order of arrival, back to back from time 0, and prints one
// line per process: name, completion, turnaround, waiting.

#include "fcfs_sched.hpp"

#include "account.hpp"
#include "arrival_order.hpp"
#include "explain.hpp"
#include "input.hpp"
#include "report_line.hpp"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace {

struct batch {
	std::vector<char> name;
	std::vector<std::int32_t> arrival;
	std::vector<std::int32_t> burst;
	std::vector<std::int32_t> record; // where each process stood in the input, for a trace

	std::int32_t size() const { return static_cast<std::int32_t>(name.size()); }
};

// The table grows record by record instead of being sized from the count: a count that
// promises more records than the input holds then ends at the end of the input, without
// first claiming memory for records that never come.
batch read_batch(batch_reader& input)
{
	const std::int32_t count = input.count();
	if (count < 0)
		throw failure("process count is negative");
	batch b;
	for (long long record = 1; record <= count; record++) {
		b.name.push_back(input.name(record));
		b.arrival.push_back(input.number(record, "arrival"));
		b.burst.push_back(input.number(record, "burst"));
		b.record.push_back(static_cast<std::int32_t>(record));
	}
	input.end();
	return b;
}

[[noreturn]] void fail_write()
{
	throw failure(std::string("cannot write standard output: ") + std::strerror(errno));
}

// Turnaround is measured from time 0, not from the arrival, and a late arrival leaves no
// idle time: the processes simply run back to back. Each line goes to `out`, or, with
// `kept`, into the report that a document holds, with the process's figures.
void schedule(const batch& b, std::FILE* out, run_trace* trace, std::string* kept = nullptr,
              std::vector<finished_process>* processes = nullptr)
{
	long long completion = 0;
	for (std::size_t slot = 0; slot < b.name.size(); slot++) {
		completion += b.burst[slot];
		const long long turnaround = completion;
		const long long waiting = turnaround - b.burst[slot];
		const report_text text = report_line(b.name[slot], completion, turnaround, waiting);
		if (kept != nullptr) {
			kept->append(text.line, text.size);
			processes->push_back({b.record[slot], completion, turnaround, waiting});
		} else if (std::fwrite(text.line, 1, text.size, out) != text.size) {
			fail_write();
		}
		if (trace != nullptr)
			trace->ran(b.record[slot], waiting, b.burst[slot]);
	}
}

void write_out(bool written, std::FILE* out)
{
	if (!written || std::fflush(out) != 0 || std::ferror(out))
		fail_write();
}

std::vector<batch_record> records_of(const batch& b)
{
	std::vector<batch_record> records(b.name.size());
	for (std::size_t slot = 0; slot < b.name.size(); slot++)
		records[static_cast<std::size_t>(b.record[slot] - 1)] = {b.name[slot], std::nullopt, b.arrival[slot], b.burst[slot]};
	return records;
}

// --json: the report, the schedule behind it and the account, in one document.
void document_run(const batch& b, std::FILE* out, std::size_t most_listed)
{
	const std::vector<batch_record> records = records_of(b);
	const account decisions = explain(records, b.record);
	std::string report;
	std::vector<finished_process> processes;
	run_trace trace;
	trace.most_segments = most_listed;
	schedule(b, out, &trace, &report, &processes);
	write_out(write_document(out, {"fcfs_sched", records, most_listed, report, trace, processes, decisions}), out);
}

} // namespace

int fcfs_sched(std::FILE* in, std::FILE* out, std::FILE* err, const run_options& options)
{
	try {
		batch_reader input(in);
		batch b = read_batch(input);
		order_by_arrival(b.size(), b.name.data(), b.arrival.data(), b.burst.data(), b.record.data());
		if (options.form == output_form::explain) {
			write_out(write_explanation(out, explain(records_of(b), b.record)), out);
		} else if (options.form == output_form::json) {
			document_run(b, out, options.most_listed);
		} else {
			schedule(b, out, options.trace);
			write_out(true, out);
		}
		return 0;
	} catch (const failure& problem) {
		std::fprintf(err, "fcfs_sched: %s\n", problem.what());
	} catch (const std::bad_alloc&) {
		std::fprintf(err, "fcfs_sched: out of memory\n");
	}
	return 1;
}
