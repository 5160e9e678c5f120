#ifndef SCHED_CHECK_BATCHES_HPP
#define SCHED_CHECK_BATCHES_HPP

#include "options.hpp"

#include <stdexcept>
#include <string>
#include <vector>

namespace sched_check {

// Something that keeps the check from being done at all: the checker ends with status 2.
struct trouble : std::runtime_error {
	using std::runtime_error::runtime_error;
};

struct batch {
	std::string name;
	std::string text;
	std::string file; // where a teacher's batch came from
};

// The batches a check runs: the teacher's, or the set (the shipped example, the tie
// cases of the manual page, then the random batches or the page's exercises), or just
// the one of them that --only names.
std::vector<batch> make_batches(const options& o);

// The shipped example of a program, as examples/ holds it.
std::string shipped_example(const std::string& program);

} // namespace sched_check

#endif
