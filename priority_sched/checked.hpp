#ifndef PRIORITY_SCHED_CHECKED_HPP
#define PRIORITY_SCHED_CHECKED_HPP

#include <cstdio>
#include <cstdlib>

// What only a fault of the program could make false. The builds made to find faults, with
// the sanitizers or for the fuzzers (which define NDEBUG, so that an assert would vanish
// exactly where the differential targets run), define SCHED_CHECKED: there a condition
// that does not hold stops the program at once, with a message on standard error. Other
// builds take SCHED_HOLDS as the condition itself, and the caller goes a slower way that
// needs no invariant.
#ifdef SCHED_CHECKED
#define SCHED_HOLDS(condition) ((condition) || (::priority_sched::broken(#condition, __FILE__, __LINE__), false))
#else
#define SCHED_HOLDS(condition) (condition)
#endif

namespace priority_sched {

[[noreturn]] inline void broken(const char* condition, const char* file, int line)
{
	std::fprintf(stderr, "%s:%d: does not hold: %s\n", file, line, condition);
	std::abort();
}

} // namespace priority_sched

#endif
