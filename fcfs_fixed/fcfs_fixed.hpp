#ifndef FCFS_FIXED_FCFS_FIXED_HPP
#define FCFS_FIXED_FCFS_FIXED_HPP

#include "run_trace.hpp"

#include <cstddef>
#include <cstdio>
#include <limits>

// What a run writes on its output: the report; the account of the decisions behind it
// (--explain); or one JSON document with the report, the schedule and the account (--json).
enum class output_form { report, explain, json };

struct run_options {
	output_form form = output_form::report;
	// With the report, also records the schedule here.
	run_trace* trace = nullptr;
	// In the JSON document: at most this many records, processes and segments.
	std::size_t most_listed = std::numeric_limits<std::size_t>::max();
};

// The whole program but for its command line: reads a batch from `in`, writes what the
// options ask for on `out` and any problem on `err`, and returns the exit status. Tests
// and fuzzers call it in-process; `main` hands it the standard streams.
int fcfs_fixed(std::FILE* in, std::FILE* out, std::FILE* err, const run_options& options = {});

#endif
