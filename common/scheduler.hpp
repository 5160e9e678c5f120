#ifndef SCHED_COMMON_SCHEDULER_HPP
#define SCHED_COMMON_SCHEDULER_HPP

#include "account.hpp"
#include "report.hpp"
#include "run_trace.hpp"

#include <cstddef>
#include <cstdio>
#include <functional>
#include <limits>
#include <vector>

namespace sched {

// What a run writes on its output: the report; the account of the decisions behind it
// (--explain); or one JSON document with the report, the schedule and the account (--json).
enum class output_form { report, explain, json };

struct run_options {
	output_form form = output_form::report;
	// With the report, also records the schedule here.
	run_trace* trace = nullptr;
	// In the JSON document: at most this many records and processes (the console lists
	// them all) and segments (never more than `most_segments` of them).
	std::size_t most_listed = std::numeric_limits<std::size_t>::max();
};

// The segments of a JSON document: a schedule grows with the simulated time, not with
// the batch, and two processes that take turns for two billion units would otherwise
// fill the memory. As many as a chart could show of a large batch.
constexpr std::size_t most_segments = 100000;

// What the suite asks of a scheduler: the batch as it was read, the account of the
// decisions behind its report, and the schedule itself, each finished process's line
// given to the writer and the run told to the trace, if there is one. The account is
// asked for before the schedule, which may change what it read.
struct scheduler {
	const char* program;
	std::function<std::vector<batch_record>()> records;
	std::function<account(const std::vector<batch_record>& records)> explain;
	std::function<void(const report_writer& writer, run_trace* trace)> schedule;
};

// Writes what the options ask for on `out`: the report, the account or the document.
void write_form(const scheduler& s, std::FILE* out, const run_options& options);

} // namespace sched

#endif
