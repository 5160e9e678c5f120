// sum_cases: adds two integers per test case, read from standard input.

#include "sum_cases.hpp"

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
	"\n"
	"Options: --help, --version. The manual page: man sum_cases.\n";

// Answers --help and --version, which end the run: returns its exit status, or -1 for
// any other argument.
int answer_option(const char* argument)
{
	int written;
	if (std::strcmp(argument, "--help") == 0)
		written = std::fputs(usage, stdout);
	else if (std::strcmp(argument, "--version") == 0)
		written = std::printf("sum_cases %s\n", SCHED_VERSION);
	else
		return -1;
	if (written < 0 || std::fflush(stdout) != 0) {
		std::fprintf(stderr, "sum_cases: cannot write standard output: %s\n",
		             std::strerror(errno));
		return 1;
	}
	return 0;
}

} // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
	// Binary streams: reports and messages end their lines with LF alone, byte for byte
	// as on every other platform, and a Ctrl-Z in the input is an ordinary character,
	// not the end of the input. CR LF input reads as before: CR counts as white space.
	_setmode(_fileno(stdin), _O_BINARY);
	_setmode(_fileno(stdout), _O_BINARY);
	_setmode(_fileno(stderr), _O_BINARY);
#endif
	for (int i = 1; i < argc; i++)
		if (const int status = answer_option(argv[i]); status >= 0)
			return status;
	// Other arguments are ignored, but whoever gave a file name should not be left
	// waiting at a terminal without knowing why.
	if (argc > 1 && isatty(fileno(stdin)))
		std::fputs("sum_cases: the cases are read from standard input: sum_cases < FILE\n",
		           stderr);
	return sum_cases(stdin, stdout, stderr);
}
