#ifndef PRIORITY_SCHED_ORDERINGS_HPP
#define PRIORITY_SCHED_ORDERINGS_HPP

#include <cstdint>

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

#endif
