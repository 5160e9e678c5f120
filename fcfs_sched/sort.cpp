#include "sort.hpp"

#include <utility>

void sort(std::int32_t count, char* name, std::int32_t* arrival, std::int32_t* burst)
{
	// Every pair is visited, slot i meeting itself included. Slots with equal arrivals are
	// never exchanged directly, yet they change places through exchanges with third
	// slots, and that order is part of the report.
	for (std::int32_t i = 0; i < count; i++)
		for (std::int32_t j = 0; j < count; j++)
			if (arrival[i] < arrival[j]) {
				std::swap(name[i], name[j]);
				std::swap(arrival[i], arrival[j]);
				std::swap(burst[i], burst[j]);
			}
}
