#ifndef SRTF_SCHED_SRTF_SCHED_HPP
#define SRTF_SCHED_SRTF_SCHED_HPP

#include "run_trace.hpp"

#include <cstdio>

// The whole program but for its command line: reads a batch from `in`, prints the report
// on `out` and any problem on `err`, and returns the exit status. Tests and fuzzers call
// it in-process; `main` hands it the standard streams. Given a trace, it also records
// the schedule there.
int srtf_sched(std::FILE* in, std::FILE* out, std::FILE* err, run_trace* trace = nullptr);

#endif
