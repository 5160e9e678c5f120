#ifndef SRTF_SCHED_PROCESS_TABLE_HPP
#define SRTF_SCHED_PROCESS_TABLE_HPP

#include "orderings.hpp"

#include <cstdint>
#include <functional>
#include <vector>

// The process table: one slot per process, one column per attribute. The orderings move
// whole slots; a finished process stays in its slot below the finished count.
struct process_table {
	std::vector<std::int32_t> arrival;
	std::vector<long long> remaining;
	std::vector<char> name;
	std::vector<std::int32_t> burst;

	std::int32_t size() const { return static_cast<std::int32_t>(name.size()); }

	void sort_by_arrival(std::int32_t start, std::int32_t end)
	{
		arrival_sort(arrival.data(), remaining.data(), start, end, name.data(), burst.data());
	}

	void sort_by_remaining(std::int32_t start, std::int32_t end)
	{
		burst_sort(arrival.data(), remaining.data(), start, end, name.data(), burst.data());
	}
};

// Told of each process as it finishes: its slot and its completion.
using finish_report = std::function<void(std::int32_t slot, long long completion)>;

#endif
