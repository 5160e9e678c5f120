#ifndef FCFS_FIXED_FCFS_FIXED_HPP
#define FCFS_FIXED_FCFS_FIXED_HPP

#include "scheduler.hpp"

#include <cstdio>

namespace fcfs_fixed {

// The whole program but for its command line: reads a batch from `in`, writes what the
// options ask for on `out` and any problem on `err`, and returns the exit status. Tests
// and fuzzers call it in-process; `main` hands it the standard streams.
int run(std::FILE* in, std::FILE* out, std::FILE* err, const sched::run_options& options = {});

} // namespace fcfs_fixed

#endif
