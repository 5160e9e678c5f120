#include "process_table.hpp"

#include "exchange_arrangement.hpp"
#include "orderings.hpp"

void process_table::sort_by_arrival(std::int32_t start, std::int32_t end)
{
	if (end - start <= longest_range_for_the_loops)
		arrival_sort(arrival.data(), remaining.data(), start, end, name.data(), burst.data(),
		             priority.data());
	else
		arrange(arrival, start, end);
}

void process_table::sort_by_priority(std::int32_t start, std::int32_t end)
{
	if (end - start <= longest_range_for_the_loops)
		priority_sort(arrival.data(), remaining.data(), start, end, name.data(), burst.data(),
		              priority.data());
	else
		arrange(priority, start, end);
}

void process_table::copy_slots(const process_table& from, std::int32_t first, std::int32_t end,
                               std::int32_t to)
{
	for (std::int32_t slot = first; slot < end; slot++, to++) {
		name[to] = from.name[slot];
		priority[to] = from.priority[slot];
		arrival[to] = from.arrival[slot];
		burst[to] = from.burst[slot];
		remaining[to] = from.remaining[slot];
	}
}

void process_table::arrange(const column<std::int32_t>& key_column, std::int32_t start,
                            std::int32_t end)
{
	const std::vector<std::int32_t> from =
		exchange_arrangement({key_column.begin() + start, key_column.begin() + end});
	process_table before;
	before.name.assign(name.begin() + start, name.begin() + end);
	before.priority.assign(priority.begin() + start, priority.begin() + end);
	before.arrival.assign(arrival.begin() + start, arrival.begin() + end);
	before.burst.assign(burst.begin() + start, burst.begin() + end);
	before.remaining.assign(remaining.begin() + start, remaining.begin() + end);
	for (std::int32_t i = 0; i < end - start; i++) {
		const std::int32_t slot = from[static_cast<std::size_t>(i)];
		copy_slots(before, slot, slot + 1, start + i);
	}
}
