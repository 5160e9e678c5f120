// fcfs_sched on any input at all: no crash, no sanitizer report, no hang, and either a
// report or one line of refusal. The run keeps a trace, as a chart's does.

#include "core_run.hpp"
#include "fcfs_sched.hpp"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
	return fuzz_program_input(
		"fcfs_sched",
		[](std::FILE* in, std::FILE* out, std::FILE* err) {
			sched::run_trace trace;
			return fcfs_sched::run(in, out, err, {.trace = &trace});
		},
		data, size, false);
}
