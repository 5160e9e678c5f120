#ifndef SCHED_COMMON_FAILURE_HPP
#define SCHED_COMMON_FAILURE_HPP

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>

namespace sched {

// A problem that ends the run; its text follows the program's name and a colon on
// standard error.
struct failure : std::runtime_error {
	using std::runtime_error::runtime_error;
};

// A write to standard output that did not go through ends the run.
[[noreturn]] inline void fail_write()
{
	throw failure(std::string("cannot write standard output: ") + std::strerror(errno));
}

// The whole of a program's run: `body` reads, computes and writes; a failure that ends
// it is told on `err` as "program: message", what was written already pushed out
// first. Returns the exit status: 0, or 1 after a failure.
int run_guarded(const char* program, std::FILE* out, std::FILE* err, const std::function<void()>& body);

} // namespace sched

#endif
