#ifndef FCFS_SCHED_ARRIVAL_ORDER_HPP
#define FCFS_SCHED_ARRIVAL_ORDER_HPP

#include <cstdint>
#include <vector>

namespace fcfs_sched {

// Up to this many slots `sort` itself orders the table; above it the arrangement is
// built in O(n log n) instead. The two take about as long between 32 and 64 slots (the
// double loop takes two thirds as long at 32, one and a half times at 64), and the
// double loop falls behind fast after that: ten times as long at 256
// (bench/fcfs_sched_orderings_bench).
constexpr std::int32_t all_pairs_literal_limit = 48;

// The arrangement that `sort` leaves, without moving anything, in O(n log n) time
// whatever the arrivals: entry k is the slot whose process `sort` puts into slot k.
std::vector<std::int32_t> arrival_order(std::int32_t count, const std::int32_t* arrival);

// The same arrangement, built without `sort` itself whatever the size of the table.
std::vector<std::int32_t> all_pairs_arrangement(std::int32_t count, const std::int32_t* arrival);

// Leaves slots 0 to count-1 of the three columns exactly as `sort` leaves them, and moves
// each slot's record number (its place in the input) with it.
void order_by_arrival(std::int32_t count, char* name, std::int32_t* arrival, std::int32_t* burst,
                      std::int32_t* record);

} // namespace fcfs_sched

#endif
