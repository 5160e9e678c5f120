#ifndef SCHED_COMMON_COMMAND_LINE_HPP
#define SCHED_COMMON_COMMAND_LINE_HPP

#include "scheduler.hpp"

namespace sched {

// What a program says of itself on its command line.
struct program_words {
	const char* name;
	const char* usage;   // the start of --help
	const char* example; // a command line that runs it, for --help
	bool forms;        // whether it takes --explain and --json
	const char* input; // for a hint: "the batch is read", "the cases are read"
};

// What the command line asks for.
struct command_line {
	// --help or --version was answered, or the line was refused: the run ends with
	// `status`.
	bool done = false;
	int status = 0;
	output_form form = output_form::report;
};

// Sets up the standard streams and the heap, and reads the command line. Arguments other than the
// options are ignored, as they always were; at a terminal a hint says where the input
// comes from.
command_line start_program(int argc, char** argv, const program_words& program);

// On Windows, binary standard streams: lines end with LF alone, byte for byte as on every
// other platform, and a Ctrl-Z in the input is an ordinary character.
void use_binary_streams();

// Whether standard error is a terminal, where a person can see a progress line.
bool error_is_terminal();

} // namespace sched

#endif
