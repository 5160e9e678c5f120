// sum_cases: adds two integers per test case, read from standard input.

#include "sum_cases.hpp"

#include "command_line.hpp"

namespace {

const char usage[] = R"(usage: sum_cases
       sum_cases --help | --version

Asks for a number of test cases, 1 to 10, then reads two integers per case and
answers each case with their sum. A count outside 1 to 10 ends the program.
)";

const char example[] = R"(printf '2\n1 2\n5 -7\n' | sum_cases)";

} // namespace

int main(int argc, char** argv)
{
	const auto line = sched::start_program(argc, argv, {"sum_cases", usage, example, false, "the cases are read"});
	return line.done ? line.status : sum_cases::run(stdin, stdout, stderr);
}
