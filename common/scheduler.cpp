#include "scheduler.hpp"

#include "failure.hpp"

#include <algorithm>
#include <string>

namespace sched {

namespace {

void write_out(bool written, std::FILE* out)
{
	if (!written || std::fflush(out) != 0 || std::ferror(out))
		fail_write();
}

void document_run(const scheduler& s, std::FILE* out, std::size_t most_listed)
{
	const std::vector<batch_record> records = s.records();
	const account decisions = s.explain(records);
	std::string report;
	std::vector<finished_process> processes;
	run_trace trace;
	trace.most_segments = std::min(most_listed, most_segments);
	s.schedule(report_writer(report, processes), &trace);
	write_out(write_document(out, {s.program, records, most_listed, report, trace, processes, decisions}), out);
}

} // namespace

void write_form(const scheduler& s, std::FILE* out, const run_options& options)
{
	switch (options.form) {
	case output_form::explain: {
		const std::vector<batch_record> records = s.records();
		write_out(write_explanation(out, s.explain(records)), out);
		break;
	}
	case output_form::json:
		document_run(s, out, options.most_listed);
		break;
	case output_form::report: {
		const report_writer writer(out);
		s.schedule(writer, options.trace);
		writer.finish();
		break;
	}
	}
}

} // namespace sched
