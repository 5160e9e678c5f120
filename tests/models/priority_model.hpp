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

// One unit or more in which one process ran: the process by its place in the batch,
// from 1, and the times it ran from and to.
struct segment {
	std::int32_t record;
	long long start;
	long long end;
	bool operator==(const segment&) const = default;
};

// What the plain simulation shows of a run.
struct run {
	std::string report;
	std::vector<segment> segments; // maximal, in time order
	long long final_phase_start = -1; // -1 when the run ended without a final phase
};

// The report the program must print for the batch (every burst at least 1).
std::string unit_step_model(const std::vector<record>& batch);

// The same simulation, with the schedule that lies behind the report.
run unit_step_run(const std::vector<record>& batch);

} // namespace priority_model

#endif
