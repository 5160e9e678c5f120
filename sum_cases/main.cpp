// sum_cases: adds two integers per test case, read from standard input.

#include "sum_cases.hpp"

#include "command_line.hpp"

namespace {

const char usage[] =
	"usage: sum_cases\n"
	"       sum_cases --help | --version\n"
	"\n"
	"Asks for a number of test cases, 1 to 10, then reads two integers per case and\n"
	"answers each case with their sum. A count outside 1 to 10 ends the program.\n"
	"\n"
	"Example:\n"
	"  printf '2\\n1 2\\n5 -7\\n' | sum_cases\n"
	"\n";

} // namespace

int main(int argc, char** argv)
{
	const sched::command_line line =
		sched::start_program(argc, argv, {"sum_cases", usage, false, "the cases are read"});
	return line.done ? line.status : sum_cases::run(stdin, stdout, stderr);
}
