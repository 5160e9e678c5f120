#include "failure.hpp"

#include <new>

namespace sched {

int run_guarded(const char* program, std::FILE* out, std::FILE* err, const std::function<void()>& body)
{
	try {
		body();
		return 0;
	} catch (const failure& problem) {
		std::fflush(out);
		std::fprintf(err, "%s: %s\n", program, problem.what());
	} catch (const std::bad_alloc&) {
		std::fflush(out);
		std::fprintf(err, "%s: out of memory\n", program);
	}
	return 1;
}

} // namespace sched
