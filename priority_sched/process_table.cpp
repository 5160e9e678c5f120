#include "process_table.hpp"

#include "exchange_arrangement.hpp"

namespace {

// Where the ordering by `key` takes each slot of the range: entry j is the slot that ends
// up at start + j.
std::vector<std::int32_t> arrangement(std::int32_t start, std::int32_t end, const column<std::int32_t>& key)
{
	const std::int32_t n = end - start;
	if (n > longest_range_for_the_loops)
		return exchange_arrangement({key.begin() + start, key.begin() + end});
	std::vector<std::int32_t> from(static_cast<std::size_t>(n));
	loop_arranger().arrange(key.data() + start, n, from.data());
	return from;
}

} // namespace

void process_table::sort_by_arrival(std::int32_t start, std::int32_t end)
{
	move_slots(arrangement(start, end, arrival), start);
}

void process_table::sort_by_priority(std::int32_t start, std::int32_t end)
{
	move_slots(arrangement(start, end, priority), start);
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
		record[to] = from.record[slot];
	}
}

void process_table::move_slots(const std::vector<std::int32_t>& from, std::int32_t start)
{
	const auto end = start + static_cast<std::int32_t>(from.size());
	process_table before;
	before.name.assign(name.begin() + start, name.begin() + end);
	before.priority.assign(priority.begin() + start, priority.begin() + end);
	before.arrival.assign(arrival.begin() + start, arrival.begin() + end);
	before.burst.assign(burst.begin() + start, burst.begin() + end);
	before.remaining.assign(remaining.begin() + start, remaining.begin() + end);
	before.record.assign(record.begin() + start, record.begin() + end);
	for (std::int32_t i = 0; i < end - start; i++) {
		const std::int32_t slot = from[static_cast<std::size_t>(i)];
		copy_slots(before, slot, slot + 1, start + i);
	}
}
