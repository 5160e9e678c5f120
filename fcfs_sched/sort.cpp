#include "sort.hpp"

namespace {

// The slot whose round it is, held aside while it meets every other slot.
struct held_slot {
	char name;
	std::int32_t arrival;
	std::int32_t burst;
};

// Exchanges the held slot with another slot whose arrival is strictly larger.
void meet(held_slot& held, char& name, std::int32_t& arrival, std::int32_t& burst)
{
	if (held.arrival < arrival) {
		const held_slot other{name, arrival, burst};
		name = held.name;
		arrival = held.arrival;
		burst = held.burst;
		held = other;
	}
}

} // namespace

void sort(std::int32_t count, char* name, std::int32_t* arrival, std::int32_t* burst)
{
	// Every pair is visited; slots with equal arrivals are never exchanged directly, yet
	// they change places through exchanges with third slots. Slot i is held aside during
	// its round, which changes none of the exchanges; its meeting with itself is
	// skipped, as a slot never holds an arrival strictly smaller than its own.
	for (std::int32_t i = 0; i < count; i++) {
		held_slot held{name[i], arrival[i], burst[i]};
		for (std::int32_t j = 0; j < i; j++)
			meet(held, name[j], arrival[j], burst[j]);
		for (std::int32_t j = i + 1; j < count; j++)
			meet(held, name[j], arrival[j], burst[j]);
		name[i] = held.name;
		arrival[i] = held.arrival;
		burst[i] = held.burst;
	}
}
