// fcfs_fixed: first come, first served scheduling of at most 100 processes read from
// standard input.

#include "fcfs_fixed.hpp"

#include "command_line.hpp"

namespace {

const char usage[] = R"(usage: fcfs_fixed [--explain | --json] < FILE
       fcfs_fixed --help | --version

Runs the batch on standard input first come, first served: in order of arrival,
back to back from time 0, whatever the arrival times. Prints one line per process
in dispatch order: name, completion, turnaround and waiting time, all measured
from time 0.

The batch is the process count, at most 100, then one record per process:
  NAME ARRIVAL BURST
NAME is one character.
)";

const char example[] = R"(printf '2\nA 0 3\nB 1 2\n' | fcfs_fixed)";

} // namespace

int main(int argc, char** argv)
{
	const auto line = sched::start_program(argc, argv, {"fcfs_fixed", usage, example, true, "the batch is read"});
	return line.done ? line.status : fcfs_fixed::run(stdin, stdout, stderr, {.form = line.form});
}
