#include "orderings.hpp"

#include <utility>

namespace srtf_sched {

namespace {

// Exchanges slots j and j + 1 in the four columns that the orderings are given.
struct four_columns {
	std::int32_t* arrival;
	long long* remaining;
	char* name;
	std::int32_t* burst;

	void operator()(std::int32_t j) const
	{
		std::swap(arrival[j], arrival[j + 1]);
		std::swap(remaining[j], remaining[j + 1]);
		std::swap(name[j], name[j + 1]);
		std::swap(burst[j], burst[j + 1]);
	}
};

} // namespace

void arrival_sort(std::int32_t* arrival, long long* remaining, std::int32_t range_start,
                  std::int32_t range_end, char* name, std::int32_t* burst)
{
	neighbour_exchange(arrival, range_start, range_end, four_columns{arrival, remaining, name, burst});
}

void burst_sort(std::int32_t* arrival, long long* remaining, std::int32_t range_start,
                std::int32_t range_end, char* name, std::int32_t* burst)
{
	neighbour_exchange(remaining, range_start, range_end, four_columns{arrival, remaining, name, burst});
}

} // namespace srtf_sched
