#include "orderings.hpp"

#include <utility>

namespace priority_sched {

namespace {

// Exchanges slots p and i in the five columns that the orderings are given.
struct five_columns {
	std::int32_t* arrival;
	std::int32_t* remaining;
	char* name;
	std::int32_t* burst;
	std::int32_t* priority;

	void operator()(std::int32_t p, std::int32_t i) const
	{
		std::swap(name[p], name[i]);
		std::swap(priority[p], priority[i]);
		std::swap(arrival[p], arrival[i]);
		std::swap(burst[p], burst[i]);
		std::swap(remaining[p], remaining[i]);
	}
};

} // namespace

void arrival_sort(std::int32_t* arrival, std::int32_t* remaining, std::int32_t range_start,
                  std::int32_t range_end, char* name, std::int32_t* burst, std::int32_t* priority)
{
	selection_exchange(arrival, range_start, range_end, five_columns{arrival, remaining, name, burst, priority});
}

void priority_sort(std::int32_t* arrival, std::int32_t* remaining, std::int32_t range_start,
                   std::int32_t range_end, char* name, std::int32_t* burst, std::int32_t* priority)
{
	selection_exchange(priority, range_start, range_end, five_columns{arrival, remaining, name, burst, priority});
}

} // namespace priority_sched
