#ifndef FCFS_SCHED_SORT_HPP
#define FCFS_SCHED_SORT_HPP

#include <cstdint>

// Orders slots 0 to count-1 of the three input columns by arrival, smallest first,
// with the all-pairs exchange ordering; the order it leaves among equal arrivals is
// part of the report.
void sort(std::int32_t count, char* name, std::int32_t* arrival, std::int32_t* burst);

#endif
