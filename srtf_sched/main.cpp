// srtf_sched: preemptive shortest-remaining-time-first scheduling of a batch read from
// standard input.

#include "srtf_sched.hpp"

#include "command_line.hpp"

namespace {

const char usage[] =
	"usage: srtf_sched [--explain | --json] < FILE\n"
	"       srtf_sched --help | --version\n"
	"\n"
	"Simulates preemptive shortest-remaining-time-first scheduling of the batch on\n"
	"standard input, in unit time steps, and prints one line per process as it\n"
	"finishes: name, arrival, burst, completion, turnaround and waiting time.\n"
	"\n"
	"The batch is the process count, then one record per process:\n"
	"  NAME ARRIVAL BURST\n"
	"NAME is one character.\n"
	"\n"
	"Example:\n"
	"  printf '2\\nA 0 3\\nB 1 1\\n' | srtf_sched\n"
	"\n";

} // namespace

int main(int argc, char** argv)
{
	const sched::command_line line =
		sched::start_program(argc, argv, {"srtf_sched", usage, true, "the batch is read"});
	return line.done ? line.status : srtf_sched::run(stdin, stdout, stderr, {.form = line.form});
}
