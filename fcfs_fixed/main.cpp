// fcfs_fixed: first come, first served scheduling of at most 100 processes read from
// standard input.

#include "fcfs_fixed.hpp"

#include "command_line.hpp"

namespace {

const char usage[] =
	"usage: fcfs_fixed [--explain | --json] < FILE\n"
	"       fcfs_fixed --help | --version\n"
	"\n"
	"Runs the batch on standard input first come, first served: in order of arrival,\n"
	"back to back from time 0, whatever the arrival times. Prints one line per process\n"
	"in dispatch order: name, completion, turnaround and waiting time, all measured\n"
	"from time 0.\n"
	"\n"
	"The batch is the process count, at most 100, then one record per process:\n"
	"  NAME ARRIVAL BURST\n"
	"NAME is one character.\n"
	"\n"
	"Example:\n"
	"  printf '2\\nA 0 3\\nB 1 2\\n' | fcfs_fixed\n"
	"\n";

} // namespace

int main(int argc, char** argv)
{
	const sched::command_line line =
		sched::start_program(argc, argv, {"fcfs_fixed", usage, true, "the batch is read"});
	return line.done ? line.status : fcfs_fixed::run(stdin, stdout, stderr, {.form = line.form});
}
