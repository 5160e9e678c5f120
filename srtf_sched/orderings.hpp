#ifndef SRTF_SCHED_ORDERINGS_HPP
#define SRTF_SCHED_ORDERINGS_HPP

#include <cstdint>

namespace srtf_sched {

// The two orderings of the process table. Each orders the slots from `range_start` up to
// but not including `range_end` by exchanging neighbours on a strict comparison, so both
// are stable, and moves the four columns of a slot together; slots outside the range
// are neither read nor written.
//
// The remaining column is 64 bits wide: a process with a burst of 0 or less never
// finishes before the final phase, and every unit it runs until then takes its
// remaining time further below zero, past where 32 bits reach.

// Orders the range by arrival, earliest first.
void arrival_sort(std::int32_t* arrival, long long* remaining, std::int32_t range_start,
                  std::int32_t range_end, char* name, std::int32_t* burst);

// Orders the range by remaining time, shortest first. The key is the time still to run,
// not the burst as read.
void burst_sort(std::int32_t* arrival, long long* remaining, std::int32_t range_start,
                std::int32_t range_end, char* name, std::int32_t* burst);

// The adjacent exchange that both orderings are: exactly range_end - range_start - 1
// passes over the whole range, each exchanging every pair of neighbours whose keys are
// strictly out of order. No pass is skipped or shortened: the ordering does the same work
// whatever the data.
//
// `exchange(j)` must exchange the whole of slots j and j + 1, the key among them. The
// orderings above exchange their four columns; a caller that follows processes through
// the ordering passes its own.
template <typename Key, typename Exchange>
void neighbour_exchange(const Key* key, std::int32_t range_start, std::int32_t range_end, Exchange&& exchange)
{
	for (std::int32_t pass = range_start + 1; pass < range_end; pass++)
		for (std::int32_t j = range_start; j < range_end - 1; j++)
			if (key[j] > key[j + 1])
				exchange(j);
}

} // namespace srtf_sched

#endif
