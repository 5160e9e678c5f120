#ifndef PRIORITY_SCHED_ORDERINGS_HPP
#define PRIORITY_SCHED_ORDERINGS_HPP

#include <cstdint>

namespace priority_sched {

// The two orderings of the process table. Each orders the slots from `range_start` up to
// but not including `range_end` with a selection exchange on a strict comparison, moving
// the five columns of a slot together; slots outside the range are not touched. Neither
// is stable, and the order they leave among equal keys decides the schedule.

// Orders the range by arrival, earliest first.
void arrival_sort(std::int32_t* arrival, std::int32_t* remaining, std::int32_t range_start,
                  std::int32_t range_end, char* name, std::int32_t* burst, std::int32_t* priority);

// Orders the range by priority, smallest number (most urgent) first.
void priority_sort(std::int32_t* arrival, std::int32_t* remaining, std::int32_t range_start,
                   std::int32_t range_end, char* name, std::int32_t* burst, std::int32_t* priority);

// The selection exchange that both orderings are: for each slot p in turn, every later
// slot i whose key is strictly smaller than the one slot p holds at that moment is
// exchanged into p. Slot p thus ends up with the first smallest key, while its former
// holder moves back behind slots it used to precede.
//
// `exchange(p, i)` must exchange the whole of slots p and i, the key among them. The
// orderings above exchange their five columns; a caller that follows processes through
// the ordering, or tells of each exchange, passes its own.
template <typename Exchange>
void selection_exchange(const std::int32_t* key, std::int32_t range_start, std::int32_t range_end,
                        Exchange&& exchange)
{
	for (std::int32_t p = range_start; p < range_end - 1; p++)
		for (std::int32_t i = p + 1; i < range_end; i++)
			if (key[i] < key[p])
				exchange(p, i);
}

} // namespace priority_sched

#endif
