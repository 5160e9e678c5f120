#ifndef SCHED_TESTS_SRTF_MODEL_HPP
#define SCHED_TESTS_SRTF_MODEL_HPP

// srtf_sched written out plainly, twice over: once as its steps, one time unit per step,
// idle units included, with no shortcut of any kind; once as the policy stated as a
// rule. Slow, but straight from the rules, so that the program's shortcuts can be
// checked and measured against them.

#include <cstdint>
#include <string>
#include <vector>

namespace srtf_model {

struct record {
	char name;
	std::int32_t arrival;
	std::int32_t burst;
};

// The batch as the program reads it: the count, then one record a line.
std::string format_batch(const std::vector<record>& batch);

// The report the program must print for the batch, from its steps (bursts of any sign).
std::string unit_step_model(const std::vector<record>& batch);

// The report from the rule: after the first tick each unit goes to the arrived,
// unfinished process with the least time left, ties to the earliest arrival, then to
// the first in input order. Every burst must be at least 1.
std::string rule_model(const std::vector<record>& batch);

// One unit or more in which one process ran: the process by its place in the batch,
// from 1, and the times it ran from and to.
struct segment {
	std::int32_t record;
	long long start;
	long long end;
	bool operator==(const segment&) const = default;
};

// The schedule behind the rule's report, in maximal segments; bursts at least 1.
std::vector<segment> rule_segments(const std::vector<record>& batch);

} // namespace srtf_model

#endif
