#include "fcfs_model.hpp"

#include <utility>

namespace fcfs_model {

std::string double_loop_model(const std::vector<record>& batch)
{
	std::vector<record> table = batch;
	const std::size_t n = table.size();
	// Every ordered pair, a slot with itself included: slot i takes the place of any slot
	// j whose arrival is strictly larger, whether j lies before or after it.
	for (std::size_t i = 0; i < n; i++)
		for (std::size_t j = 0; j < n; j++)
			if (table[i].arrival < table[j].arrival)
				std::swap(table[i], table[j]);

	std::string out;
	long long completion = 0;
	for (const record& r : table) {
		completion += r.burst;
		// Turnaround counts from time 0, so waiting is the time the process started.
		out += std::string(1, r.name) + " " + std::to_string(completion) + " " + std::to_string(completion) +
		       " " + std::to_string(completion - r.burst) + "\n";
	}
	return out;
}

} // namespace fcfs_model
