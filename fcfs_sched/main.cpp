// fcfs_sched: first come, first served scheduling of a batch read from standard input.

#include "fcfs_sched.hpp"

#include "command_line.hpp"

namespace {

const char usage[] =
	"usage: fcfs_sched [--explain | --json] < FILE\n"
	"       fcfs_sched --help | --version\n"
	"\n"
	"Runs the batch on standard input first come, first served: in order of arrival,\n"
	"back to back from time 0, whatever the arrival times. Prints one line per process\n"
	"in dispatch order: name, completion, turnaround and waiting time, all measured\n"
	"from time 0.\n"
	"\n"
	"The batch is the process count, then one record per process:\n"
	"  NAME ARRIVAL BURST\n"
	"NAME is a word; only its first character is printed.\n"
	"\n"
	"Example:\n"
	"  printf '2\\nP1 0 3\\nP2 1 2\\n' | fcfs_sched\n"
	"\n";

} // namespace

int main(int argc, char** argv)
{
	const sched::command_line line =
		sched::start_program(argc, argv, {"fcfs_sched", usage, true, "the batch is read"});
	return line.done ? line.status : fcfs_sched::run(stdin, stdout, stderr, {.form = line.form});
}
