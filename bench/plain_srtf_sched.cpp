// The plain unit-step model of srtf_sched as a program, for timing beside the real one.
// It trusts its input: the batches come from bench/run.

#include "srtf_model.hpp"

#include <cstdio>

int main()
{
	int count = 0;
	if (std::scanf("%d", &count) != 1)
		return 1;
	std::vector<srtf_model::record> batch(static_cast<std::size_t>(count));
	for (auto& r : batch)
		if (std::scanf(" %c%d%d", &r.name, &r.arrival, &r.burst) != 3)
			return 1;
	std::fputs(srtf_model::unit_step_model(batch).c_str(), stdout);
	return 0;
}
