#ifndef PRIORITY_SCHED_EXPLAIN_HPP
#define PRIORITY_SCHED_EXPLAIN_HPP

#include "account.hpp"
#include "process_table.hpp"

namespace priority_sched {

// The account of a run of the batch (in input order, with record numbers), as the rule
// makes its decisions, until the account is full or has cost what it may.
sched::account explain(const process_table& batch, const std::vector<sched::batch_record>& records);

// What explaining may cost: each comparison of an ordering counts one, and so does each
// slot that an exchange moves a process past. A few tenths of a second.
constexpr long long most_explaining_work = 60'000'000;

} // namespace priority_sched

#endif
