#ifndef SRTF_SCHED_STABLE_ORDER_HPP
#define SRTF_SCHED_STABLE_ORDER_HPP

#include "process_table.hpp"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace srtf_sched {

// Up to this many slots the exchange orderings themselves decide the arrangement of a
// range; above it an O(n log n) sort gives the same. The exchange orderings are the
// faster below 8 slots and take twice as long at 8, five times at 16 and twelve times
// at 32 (bench/srtf_sched_orderings_bench).
constexpr std::size_t exchange_literal_limit = 8;

// Orders slots start to end-1 of the table as `arrival_sort` does, moving every column.
void order_by_arrival(process_table& t, std::size_t start, std::size_t end);

// Orders slots start to end-1 of the table as `burst_sort` does, moving every column.
void order_by_remaining(process_table& t, std::size_t start, std::size_t end);

// The arrangement that the exchange ordering leaves over `size` keys, computed without
// it: entry k is the index of the key that ends in place k.
template <typename Key>
std::vector<std::int32_t> stable_arrangement(const Key* key, std::size_t size);

} // namespace srtf_sched

#endif
