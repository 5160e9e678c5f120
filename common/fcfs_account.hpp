#ifndef SCHED_COMMON_FCFS_ACCOUNT_HPP
#define SCHED_COMMON_FCFS_ACCOUNT_HPP

#include "account.hpp"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace sched {

// Exchanges slots a and b of the arrival column, and whatever moves with it.
using slot_exchange = std::function<void(std::size_t a, std::size_t b)>;

// A first-come-first-served program's arrival ordering, as its own loop runs it over
// `arrival`: each exchange of two slots goes through `exchange`, which makes it.
using arrival_ordering = std::function<void(const std::vector<std::int32_t>& arrival, const slot_exchange& exchange)>;

// The account of a first-come-first-served run: the order of dispatch that the arrival
// ordering left, with the exchanges that decided it among equal arrivals, then each
// process as it runs and finishes. `dispatch` is the records in the order the program
// runs them; `ordering` is its loop, which makes `comparisons` comparisons over the batch.
account explain_dispatch(const std::vector<batch_record>& records, const std::vector<std::int32_t>& dispatch,
                         const arrival_ordering& ordering, long long comparisons);

// What explaining may cost: each comparison of the ordering counts one, and so does each
// slot that an exchange moves a process past. A few tenths of a second.
constexpr long long most_dispatch_explaining_work = 60'000'000;

} // namespace sched

#endif
