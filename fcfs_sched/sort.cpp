#include "sort.hpp"

#include <utility>

namespace fcfs_sched {

void sort(std::int32_t count, char* name, std::int32_t* arrival, std::int32_t* burst)
{
	all_pairs_exchange(count, arrival, [&](std::int32_t i, std::int32_t j) {
		std::swap(name[i], name[j]);
		std::swap(arrival[i], arrival[j]);
		std::swap(burst[i], burst[j]);
	});
}

} // namespace fcfs_sched
