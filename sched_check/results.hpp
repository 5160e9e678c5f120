#ifndef SCHED_CHECK_RESULTS_HPP
#define SCHED_CHECK_RESULTS_HPP

#include "check.hpp"

#include <string>

namespace sched_check {

// The results in the format asked for: for a person (text), in our own JSON document,
// or as Gradescope, PrairieLearn, JUnit or TAP read them. What would give the expected
// reports away is left out under --hide-expected.
std::string format_results(const options& o, const check_results& r);

} // namespace sched_check

#endif
