// srtf_sched against its plain unit-step model, on batches made from the fuzz bytes,
// zero and negative bursts included: the report byte for byte, and the report of the
// rule that its account follows.

#include "batch_shapes.hpp"
#include "core_run.hpp"
#include "srtf_model.hpp"
#include "srtf_sched.hpp"

namespace {

// The report of a run that keeps a trace, as a chart's does, must be the plain one.
int traced_srtf_sched(std::FILE* in, std::FILE* out, std::FILE* err)
{
	sched::run_trace trace;
	return srtf_sched::run(in, out, err, {.trace = &trace});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
	const batch b = fuzzed_batch(
		data, size, {.bursts_below_one = true, .most_processes = 40, .most_model_work = 2'000'000}, "srtf_sched");
	const std::string model = srtf_model::unit_step_model(timed_records<srtf_model::record>(b.processes));
	expect_report(b.text, run_core(traced_srtf_sched, b.text), model);
	const auto explained = [](std::FILE* in, std::FILE* out, std::FILE* err) {
		return srtf_sched::run(in, out, err, {.form = sched::output_form::explain});
	};
	expect_account_report(b.text, run_core(explained, b.text), model);
	return 0;
}
