// priority_sched against its plain model, on batches made from the fuzz bytes: the report
// byte for byte, and the schedule behind it segment for segment, through every idle gap
// and repeated arrangement that the program skips; and the report of the rule that its
// account follows.

#include "batch_shapes.hpp"
#include "core_run.hpp"
#include "priority_model.hpp"
#include "priority_sched.hpp"

#include <limits>

namespace {

bool same_schedule(const sched::run_trace& trace, const priority_model::run& model)
{
	if (trace.segments.size() != model.segments.size())
		return false;
	for (std::size_t i = 0; i < trace.segments.size(); i++) {
		const sched::run_segment& s = trace.segments[i];
		if (priority_model::segment{s.record, s.start, s.end} != model.segments[i])
			return false;
	}
	return trace.final_phase_start.value_or(-1) == model.final_phase_start;
}

} // namespace

// Up to 100 processes: above 48 ready ones the orderings' arrangement is built instead of
// looped, and that construction must meet the model too.
extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
	const batch b = fuzzed_batch(
		data, size, {.priorities = true, .most_processes = 100, .most_model_work = 2'000'000}, "priority_sched");

	std::vector<priority_model::record> records;
	for (const process& p : b.processes)
		records.push_back({p.name, p.priority, p.arrival, p.burst});
	const priority_model::run model = priority_model::unit_step_run(records);

	sched::run_trace trace;
	trace.most_segments = std::numeric_limits<std::size_t>::max();
	const core_run run = run_core(
		[&](std::FILE* in, std::FILE* out, std::FILE* err) { return priority_sched::run(in, out, err, {.trace = &trace}); }, b.text);
	expect_report(b.text, run, model.report);
	const auto explained = [](std::FILE* in, std::FILE* out, std::FILE* err) {
		return priority_sched::run(in, out, err, {.form = sched::output_form::explain});
	};
	expect_account_report(b.text, run_core(explained, b.text), model.report);
	if (!same_schedule(trace, model))
		report_finding("the trace is not the model's schedule", b.text, run);
	return 0;
}
