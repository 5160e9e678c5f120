// priority_sched: preemptive priority scheduling of a batch read from standard input.

#include "priority_sched.hpp"

#include "command_line.hpp"
#include "progress.hpp"

namespace {

const char usage[] = R"(usage: priority_sched [--explain | --json] < FILE
       priority_sched --help | --version

Simulates preemptive priority scheduling of the batch on standard input, in unit
time steps, and prints one line per process as it finishes: name, completion,
turnaround and waiting time.

The batch is the process count, then one record per process:
  NAME PRIORITY ARRIVAL BURST
NAME is one character; a smaller PRIORITY is more urgent; BURST is at least 1.
)";

const char example[] = R"(printf '2\nA 2 0 3\nB 1 1 2\n' | priority_sched)";

} // namespace

int main(int argc, char** argv)
{
	const auto line = sched::start_program(argc, argv, {"priority_sched", usage, example, true, "the batch is read"});
	if (line.done)
		return line.status;
	// A long run shows how far it has come, but only to a person at a terminal.
	priority_sched::console_progress progress(stderr);
	if (sched::error_is_terminal())
		priority_sched::show_progress_on(&progress);
	return priority_sched::run(stdin, stdout, stderr, {.form = line.form});
}
