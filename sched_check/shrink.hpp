#ifndef SCHED_CHECK_SHRINK_HPP
#define SCHED_CHECK_SHRINK_HPP

#include "batch_generator.hpp"

#include <functional>
#include <string>

namespace sched_check {

// What shrinking may spend: so many runs of the program under test, so many seconds.
struct shrink_budget {
	int runs = 300;
	double seconds = 60;
};

struct shrunk_batch {
	std::string text;
	int runs = 0;
};

// A smallest batch for which `still_fails` holds, found from `text` within the budget:
// fewer processes (or cases) first, then smaller values, each step kept only where the
// program still fails the same way. A batch it cannot read comes back as it is.
shrunk_batch shrink(sched::batch_kind kind, bool name_tokens, const std::string& text,
                    const std::function<bool(const std::string& candidate)>& still_fails, const shrink_budget& budget);

} // namespace sched_check

#endif
