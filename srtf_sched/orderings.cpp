#include "orderings.hpp"

#include <utility>

namespace {

// Exactly range_end - range_start - 1 passes over the whole range, each exchanging every
// pair of neighbours whose keys are strictly out of order. No pass is skipped or
// shortened: the ordering does the same work whatever the data.
template <typename Key>
void neighbour_order(const Key* key, std::int32_t* arrival, long long* remaining,
                     std::int32_t range_start, std::int32_t range_end, char* name,
                     std::int32_t* burst)
{
	for (std::int32_t pass = range_start + 1; pass < range_end; pass++) {
		for (std::int32_t j = range_start; j < range_end - 1; j++) {
			if (key[j] > key[j + 1]) {
				std::swap(arrival[j], arrival[j + 1]);
				std::swap(remaining[j], remaining[j + 1]);
				std::swap(name[j], name[j + 1]);
				std::swap(burst[j], burst[j + 1]);
			}
		}
	}
}

} // namespace

void arrival_sort(std::int32_t* arrival, long long* remaining, std::int32_t range_start,
                  std::int32_t range_end, char* name, std::int32_t* burst)
{
	neighbour_order(arrival, arrival, remaining, range_start, range_end, name, burst);
}

void burst_sort(std::int32_t* arrival, long long* remaining, std::int32_t range_start,
                std::int32_t range_end, char* name, std::int32_t* burst)
{
	neighbour_order(remaining, arrival, remaining, range_start, range_end, name, burst);
}
