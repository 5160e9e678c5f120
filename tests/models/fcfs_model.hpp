#ifndef SCHED_TESTS_FCFS_MODEL_HPP
#define SCHED_TESTS_FCFS_MODEL_HPP

// fcfs_sched written out plainly: the all-pairs exchange loop over every pair of slots,
// then the processes back to back from time 0. Quadratic, but straight from the rules,
// so that the program's way to the same arrangement can be checked against it.

#include <cstdint>
#include <string>
#include <vector>

namespace fcfs_model {

struct record {
	char name; // the first character of the name token
	std::int32_t arrival;
	std::int32_t burst;
};

// The report the program must print for the batch (bursts of any sign).
std::string double_loop_model(const std::vector<record>& batch);

} // namespace fcfs_model

#endif
