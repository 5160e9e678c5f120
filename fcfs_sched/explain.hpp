#ifndef FCFS_SCHED_EXPLAIN_HPP
#define FCFS_SCHED_EXPLAIN_HPP

#include "account.hpp"

#include <cstdint>
#include <vector>

// The account of a run: the order of dispatch that the arrival ordering left, with the
// exchanges that decided it among equal arrivals, then each process as it runs and
// finishes. `dispatch` is the records in the order the program runs them.
account explain(const std::vector<batch_record>& records, const std::vector<std::int32_t>& dispatch);

// What explaining may cost: each comparison of the ordering counts one, and so does each
// slot that an exchange moves a process past. A few tenths of a second.
constexpr long long most_explaining_work = 60'000'000;

#endif
