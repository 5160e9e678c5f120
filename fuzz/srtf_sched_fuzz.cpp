// srtf_sched on any input at all: no crash, no sanitizer report, no hang, and either a
// report or one line of refusal.

#include "core_run.hpp"
#include "srtf_sched.hpp"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
	return fuzz_program_input("srtf_sched", srtf_sched, data, size, false);
}
