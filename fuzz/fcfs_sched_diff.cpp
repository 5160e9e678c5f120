// fcfs_sched against its plain model, the all-pairs loop itself, on batches made from the
// fuzz bytes: long name tokens, zero and negative bursts, and up to 300 processes, so
// that any faster way to the loop's order is held to it on large batches as well as
// small ones. The report byte for byte.

#include "batch_shapes.hpp"
#include "core_run.hpp"
#include "fcfs_model.hpp"
#include "fcfs_sched.hpp"

namespace {

// The report of a run that keeps a trace, as a chart's does, must be the plain one.
int traced_fcfs_sched(std::FILE* in, std::FILE* out, std::FILE* err)
{
	sched::run_trace trace;
	return fcfs_sched::run(in, out, err, {.trace = &trace});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
	const batch b = fuzzed_batch(
		data, size, {.bursts_below_one = true, .name_tokens = true, .most_processes = 300}, "fcfs_sched");
	expect_report(b.text, run_core(traced_fcfs_sched, b.text),
	              fcfs_model::double_loop_model(timed_records<fcfs_model::record>(b.processes)));
	return 0;
}
