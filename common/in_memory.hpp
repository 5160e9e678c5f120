#ifndef SCHED_COMMON_IN_MEMORY_HPP
#define SCHED_COMMON_IN_MEMORY_HPP

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace sched {

// What a program's run wrote, and how it ended.
struct captured_run {
	int status;
	std::string out;
	std::string err;
};

// A program's whole run as a function of its three streams.
using program_entry = std::function<int(std::FILE* in, std::FILE* out, std::FILE* err)>;

// Runs a program's core in this process, the way its `main` runs it on the standard
// streams, with `input` as its whole standard input, and keeps what it wrote. Streams
// over memory where the C library has them, temporary files elsewhere (Windows); throws
// std::runtime_error where it can make neither.
captured_run run_in_memory(const program_entry& program, std::string_view input);

} // namespace sched

#endif
