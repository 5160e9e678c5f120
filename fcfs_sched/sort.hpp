#ifndef FCFS_SCHED_SORT_HPP
#define FCFS_SCHED_SORT_HPP

#include <cstdint>

namespace fcfs_sched {

// Orders slots 0 to count-1 of the three input columns by arrival, smallest first,
// with the all-pairs exchange ordering; the order it leaves among equal arrivals is
// part of the report.
void sort(std::int32_t count, char* name, std::int32_t* arrival, std::int32_t* burst);

// The loop of `sort`: every pair is visited, slot i meeting itself included, and
// `exchange(i, j)` is called where arrival[i] is strictly less than arrival[j]. It must
// exchange the whole of slots i and j, the arrival among them. Slots with equal arrivals
// are never exchanged directly, yet they change places through exchanges with third
// slots, and that order is part of the report.
template <typename Exchange>
void all_pairs_exchange(std::int32_t count, const std::int32_t* arrival, Exchange&& exchange)
{
	for (std::int32_t i = 0; i < count; i++)
		for (std::int32_t j = 0; j < count; j++)
			if (arrival[i] < arrival[j])
				exchange(i, j);
}

} // namespace fcfs_sched

#endif
