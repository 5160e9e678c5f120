#ifndef SRTF_SCHED_PROCESS_TABLE_HPP
#define SRTF_SCHED_PROCESS_TABLE_HPP

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace srtf_sched {

// The process table: one slot per process, one column per attribute. The orderings move
// whole slots, the record number with the rest, so that wherever a process runs its
// place in the input is known. The remaining column is 64 bits wide for the reason that
// orderings.hpp gives.
struct process_table {
	std::vector<std::int32_t> arrival;
	std::vector<long long> remaining;
	std::vector<char> name;
	std::vector<std::int32_t> burst;
	// The process's place in the input, counted from 1.
	std::vector<std::int32_t> record;

	std::size_t size() const { return name.size(); }

	// Copies every column of slot `from` into slot `to`.
	void copy_slot(std::size_t from, std::size_t to)
	{
		arrival[to] = arrival[from];
		remaining[to] = remaining[from];
		name[to] = name[from];
		burst[to] = burst[from];
		record[to] = record[from];
	}
};

// Told of each process as it finishes: its slot and its completion.
using finish_report = std::function<void(std::size_t slot, long long completion)>;

} // namespace srtf_sched

#endif
