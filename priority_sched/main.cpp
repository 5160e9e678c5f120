// priority_sched: preemptive priority scheduling of a batch read from standard input.

#include "priority_sched.hpp"
#include "progress.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

const char usage[] =
	"usage: priority_sched [--explain | --json] < FILE\n"
	"       priority_sched --help | --version\n"
	"\n"
	"Simulates preemptive priority scheduling of the batch on standard input, in unit\n"
	"time steps, and prints one line per process as it finishes: name, completion,\n"
	"turnaround and waiting time.\n"
	"\n"
	"The batch is the process count, then one record per process:\n"
	"  NAME PRIORITY ARRIVAL BURST\n"
	"NAME is one character; a smaller PRIORITY is more urgent; BURST is at least 1.\n"
	"\n"
	"Example:\n"
	"  printf '2\\nA 2 0 3\\nB 1 1 2\\n' | priority_sched\n"
	"\n"
	"Options:\n"
	"  --explain  print the decisions behind the report, one line each, in its place\n"
	"  --json     print the report, the schedule and the decisions as one JSON document\n"
	"  --help, --version\n"
	"The manual page: man priority_sched.\n";

// Answers --help and --version, which end the run: returns its exit status, or -1 for
// any other argument.
int answer_option(const char* argument)
{
	int written;
	if (std::strcmp(argument, "--help") == 0)
		written = std::fputs(usage, stdout);
	else if (std::strcmp(argument, "--version") == 0)
		written = std::printf("priority_sched %s\n", SCHED_VERSION);
	else
		return -1;
	if (written < 0 || std::fflush(stdout) != 0) {
		std::fprintf(stderr, "priority_sched: cannot write standard output: %s\n",
		             std::strerror(errno));
		return 1;
	}
	return 0;
}

// A run allocates and frees blocks the size of the batch several times over: the table
// as it grows, the orderings of long ranges, the ready range's columns. glibc gives each
// large block back to the system when it is freed and maps fresh pages for the next,
// every page faulted in anew; kept in the heap for reuse instead, a million processes
// take two thirds of the time, with half the page faults and the same peak memory.
void keep_freed_memory()
{
#ifdef __GLIBC__
	mallopt(M_MMAP_THRESHOLD, 256 << 20);
	mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
}

} // namespace

int main(int argc, char** argv)
{
	keep_freed_memory();
#ifdef _WIN32
	// Binary streams: reports and messages end their lines with LF alone, byte for byte
	// as on every other platform, and a Ctrl-Z in the input is an ordinary character,
	// not the end of the input. CR LF input reads as before: CR counts as white space.
	_setmode(_fileno(stdin), _O_BINARY);
	_setmode(_fileno(stdout), _O_BINARY);
	_setmode(_fileno(stderr), _O_BINARY);
#endif
	run_options options;
	bool explain = false;
	bool json = false;
	for (int i = 1; i < argc; i++) {
		if (const int status = answer_option(argv[i]); status >= 0)
			return status;
		explain = explain || std::strcmp(argv[i], "--explain") == 0;
		json = json || std::strcmp(argv[i], "--json") == 0;
	}
	if (explain && json) {
		std::fputs("priority_sched: --explain and --json exclude each other\n", stderr);
		return 1;
	}
	options.form = explain ? output_form::explain : json ? output_form::json : output_form::report;
	// Other arguments are ignored, but whoever gave a file name should not be left
	// waiting at a terminal without knowing why.
	if (argc > 1 && isatty(fileno(stdin)))
		std::fputs("priority_sched: the batch is read from standard input: priority_sched < FILE\n",
		           stderr);
	// A long run shows how far it has come, but only to a person at a terminal.
	console_progress progress(stderr);
	if (isatty(fileno(stderr)))
		show_progress_on(&progress);
	return priority_sched(stdin, stdout, stderr, options);
}
