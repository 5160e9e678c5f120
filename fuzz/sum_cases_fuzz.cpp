// sum_cases on any input at all: no crash, no sanitizer report, no hang, and either its
// answers or one line of refusal after the answers already given.

#include "core_run.hpp"
#include "sum_cases.hpp"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
	return fuzz_program_input("sum_cases", sum_cases::run, data, size, true);
}
