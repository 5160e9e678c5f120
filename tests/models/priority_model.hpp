#ifndef SCHED_TESTS_PRIORITY_MODEL_HPP
#define SCHED_TESTS_PRIORITY_MODEL_HPP

// priority_sched written out plainly: one time unit per step, idle units included, with
// no shortcut of any kind. Slow, but straight from the rules, so that the program's
// shortcuts can be checked and measured against it.

#include <cstdint>
#include <string>
#include <vector>

namespace priority_model {

struct record {
	char name;
	std::int32_t priority;
	std::int32_t arrival;
	std::int32_t burst;
};

// The batch as the program reads it: the count, then one record a line.
std::string format_batch(const std::vector<record>& batch);

// The report the program must print for the batch (every burst at least 1).
std::string unit_step_model(const std::vector<record>& batch);

} // namespace priority_model

#endif
