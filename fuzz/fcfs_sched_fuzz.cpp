// fcfs_sched on any input at all: no crash, no sanitizer report, no hang, and either a
// report or one line of refusal.

#include "core_run.hpp"
#include "fcfs_sched.hpp"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
	return fuzz_program_input("fcfs_sched", fcfs_sched, data, size, false);
}
