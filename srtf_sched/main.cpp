// srtf_sched: preemptive shortest-remaining-time-first scheduling of a batch read from
// standard input.

#include "srtf_sched.hpp"

#include "command_line.hpp"

namespace {

const char usage[] = R"(usage: srtf_sched [--explain | --json] < FILE
       srtf_sched --help | --version

Simulates preemptive shortest-remaining-time-first scheduling of the batch on
standard input, in unit time steps, and prints one line per process as it
finishes: name, arrival, burst, completion, turnaround and waiting time.

The batch is the process count, then one record per process:
  NAME ARRIVAL BURST
NAME is one character.
)";

const char example[] = R"(printf '2\nA 0 3\nB 1 1\n' | srtf_sched)";

} // namespace

int main(int argc, char** argv)
{
	const auto line = sched::start_program(argc, argv, {"srtf_sched", usage, example, true, "the batch is read"});
	return line.done ? line.status : srtf_sched::run(stdin, stdout, stderr, {.form = line.form});
}
