// fcfs_sched: first come, first served scheduling of a batch read from standard input.

#include "fcfs_sched.hpp"

#include "command_line.hpp"

namespace {

const char usage[] = R"(usage: fcfs_sched [--explain | --json] < FILE
       fcfs_sched --help | --version

Runs the batch on standard input first come, first served: in order of arrival,
back to back from time 0, whatever the arrival times. Prints one line per process
in dispatch order: name, completion, turnaround and waiting time, all measured
from time 0.

The batch is the process count, then one record per process:
  NAME ARRIVAL BURST
NAME is a word; only its first character is printed.
)";

const char example[] = R"(printf '2\nP1 0 3\nP2 1 2\n' | fcfs_sched)";

} // namespace

int main(int argc, char** argv)
{
	const auto line = sched::start_program(argc, argv, {"fcfs_sched", usage, example, true, "the batch is read"});
	return line.done ? line.status : fcfs_sched::run(stdin, stdout, stderr, {.form = line.form});
}
