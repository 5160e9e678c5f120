#ifndef SCHED_FUZZ_CORE_RUN_HPP
#define SCHED_FUZZ_CORE_RUN_HPP

// Runs a program's core in-process on bytes held in memory, the way `main` runs it on the
// standard streams, and keeps what it wrote.

#include "in_memory.hpp"

#include <cstddef>
#include <cstdio>
#include <string>

using core_run = sched::captured_run;
using core_function = sched::program_entry;

inline core_run run_core(const core_function& core, const std::string& input)
{
	return sched::run_in_memory(core, input);
}

// Stops the fuzzer with a finding: prints the problem, the input and what the program
// wrote, then aborts, so that libFuzzer keeps the input that led here.
[[noreturn]] void report_finding(const std::string& problem, const std::string& input,
                                 const core_run& run);

// A run that ended well printed nothing on the error stream; a run that refused its
// input printed exactly one line "program: message" there and, for a scheduler (which
// reads its whole batch before printing), nothing on the output. Any other status is a
// finding.
void check_outcome(const std::string& program, const std::string& input, const core_run& run,
                   bool output_kept_on_failure);

// A batch the program must accept: status 0, nothing on the error stream, and the very
// bytes of the model's report.
void expect_report(const std::string& input, const core_run& run, const std::string& expected);

// An account (--explain) that ended well holds a finish line per process, each with its
// report line after "finishes: ": those are the report of the rule it follows, which
// must be the model's too. An account cut short says so and is left alone.
void expect_account_report(const std::string& input, const core_run& run, const std::string& expected);

// The whole of a program-input target: the fuzz bytes are the program's standard input,
// and the outcome must keep to the contract of check_outcome.
int fuzz_program_input(const std::string& program, const core_function& core,
                       const unsigned char* data, std::size_t size, bool output_kept_on_failure);

// When SCHED_FUZZ_WRITE_INPUT names a file, the program input a target derived from its
// fuzz bytes is written there, and the program and the input's size are told on the
// error stream before the program runs, so that a finding can be read and replayed as
// a batch.
void keep_derived_input(const std::string& program, const std::string& input);

#endif
