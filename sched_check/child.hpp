#ifndef SCHED_CHECK_CHILD_HPP
#define SCHED_CHECK_CHILD_HPP

// The program under test: somebody's homework, run once per batch with the batch on its
// standard input, in a process group (on Windows, a job object) of its own, so that it
// can be ended whole, children and all, at its time limit or its output cap.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sched_check {

struct child_limits {
	double seconds = 5;
	std::size_t most_output = 1 << 20; // bytes of standard output
	std::size_t memory_bytes = 0;      // of address space, where the platform sets it; 0 for none
};

struct child_outcome {
	enum class ending { exited, crashed, timed_out, output_limit, not_started } how = ending::exited;
	// The exit status; for a crash, the signal or the exception code.
	unsigned long status = 0;
	std::string out;
	std::string err; // the first few kilobytes
	double seconds = 0;
	// Why the program could not be started, or how it crashed, in words.
	std::string problem;
};

child_outcome run_child(const std::vector<std::string>& command, std::string_view input, const child_limits& limits);

// Once, before the first run: a program that exits without reading its input must not
// end the checker with a broken pipe.
void ignore_broken_pipes();

} // namespace sched_check

#endif
