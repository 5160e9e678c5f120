#include "process_table.hpp"

#include "exchange_arrangement.hpp"

namespace priority_sched {

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

void process_table::order_by_arrival(std::int32_t start, std::int32_t end)
{
	move_slots(arrangement(start, end, arrival), start);
}

void process_table::order_by_priority(std::int32_t start, std::int32_t end)
{
	move_slots(arrangement(start, end, priority), start);
}

namespace {

// Column by column, so that each pass reads one column where a slot at a time would
// read six far apart.
template <typename T>
void gather(column<T>& values, const std::vector<std::int32_t>& from, std::int32_t start)
{
	const column<T> before(values.begin() + start, values.begin() + start + static_cast<std::ptrdiff_t>(from.size()));
	for (std::size_t i = 0; i < from.size(); i++)
		values[start + static_cast<std::int32_t>(i)] = before[from[i]];
}

} // namespace

void process_table::move_slots(const std::vector<std::int32_t>& from, std::int32_t start)
{
	gather(name, from, start);
	gather(priority, from, start);
	gather(arrival, from, start);
	gather(burst, from, start);
	gather(remaining, from, start);
	gather(record, from, start);
}

} // namespace priority_sched
