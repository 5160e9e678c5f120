#include "orderings.hpp"

#include <utility>

namespace {

// For each slot p in turn, every later slot i whose key is strictly smaller than the one
// slot p holds at that moment is exchanged into p. Slot p thus ends up with the first
// smallest key, while its former holder moves back behind slots it used to precede.
void exchange_order(const std::int32_t* key, std::int32_t* arrival, std::int32_t* remaining,
                    std::int32_t range_start, std::int32_t range_end, char* name,
                    std::int32_t* burst, std::int32_t* priority)
{
	for (std::int32_t p = range_start; p < range_end - 1; p++) {
		for (std::int32_t i = p + 1; i < range_end; i++) {
			if (key[i] < key[p]) {
				std::swap(name[p], name[i]);
				std::swap(priority[p], priority[i]);
				std::swap(arrival[p], arrival[i]);
				std::swap(burst[p], burst[i]);
				std::swap(remaining[p], remaining[i]);
			}
		}
	}
}

} // namespace

void arrival_sort(std::int32_t* arrival, std::int32_t* remaining, std::int32_t range_start,
                  std::int32_t range_end, char* name, std::int32_t* burst, std::int32_t* priority)
{
	exchange_order(arrival, arrival, remaining, range_start, range_end, name, burst, priority);
}

void priority_sort(std::int32_t* arrival, std::int32_t* remaining, std::int32_t range_start,
                   std::int32_t range_end, char* name, std::int32_t* burst, std::int32_t* priority)
{
	exchange_order(priority, arrival, remaining, range_start, range_end, name, burst, priority);
}
