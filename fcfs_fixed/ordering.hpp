#ifndef FCFS_FIXED_ORDERING_HPP
#define FCFS_FIXED_ORDERING_HPP

#include <cstddef>
#include <cstdint>

namespace fcfs_fixed {

// The selection exchange that orders the table: slot p takes every later slot with a
// strictly smaller arrival in turn, so equal arrivals can still end up in another order.
// `exchange(p, i)` must exchange the whole of slots p and i, the arrival among them.
template <typename Arrivals, typename Exchange>
void selection_exchange(std::size_t used, const Arrivals& arrival, Exchange&& exchange)
{
	for (std::size_t p = 0; p + 1 < used; p++)
		for (std::size_t i = p + 1; i < used; i++)
			if (arrival[p] > arrival[i])
				exchange(p, i);
}

} // namespace fcfs_fixed

#endif
