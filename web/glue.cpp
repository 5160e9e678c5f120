// The page's way into one program: it hands over a batch as bytes and gets back, as one
// JSON text, what the console would show (the message on standard error and the exit
// status) and, for a scheduler that accepted the batch, the program's own JSON document
// (--json): the report, the records, the schedule and the decisions behind it. The same
// glue judges an answer against the program's report with the suite's one report
// comparison, and makes the page's exercises with the suite's one generator, so that the
// page, the console's checker and every grader agree.
//
// Built once per program and linked with that program's core alone. CMake names the
// program's namespace (SCHED_PROGRAM), its header (SCHED_PROGRAM_HEADER) and how its
// report lines are made (SCHED_REPORT_RULES), and defines SCHED_DOCUMENT for the programs
// that write a document. A report holds bytes, not text: a name is one byte of whatever
// the batch held, so every string of the answer holds bytes as the programs' documents
// do, each byte from 0x7f up as the code point of the same value, which the page turns
// back into exactly these bytes.

#include SCHED_PROGRAM_HEADER

#include "account.hpp"
#include "batch_generator.hpp"
#include "compare.hpp"
#include "in_memory.hpp"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

// A program whose runs can take long tells the page how far it has come: the worker
// posts each point to the page as it comes, tagged with the run it belongs to, while the
// run goes on.
#if __has_include("progress.hpp") && defined(__EMSCRIPTEN__)
#include "progress.hpp"

#include <emscripten.h>

#define SCHED_WEB_PROGRESS 1

// clang-format off
EM_JS(void, post_progress, (double clock, double last_arrival, int finished, int processes), {
	postMessage({id: self.schedRunId, progress: {clock: clock, last_arrival: last_arrival, finished: finished, processes: processes}});
});
// clang-format on
#endif

namespace {

#ifdef SCHED_WEB_PROGRESS
class page_progress : public SCHED_PROGRAM::progress_hook {
public:
	void show(const SCHED_PROGRAM::progress_point& point) override
	{
		post_progress(static_cast<double>(point.clock), static_cast<double>(point.last_arrival), point.finished,
		              point.processes);
	}
};
#endif

#ifdef SCHED_DOCUMENT
// A chart draws at most this many segments, and the table lists at most this many
// processes; the report and the averages are whole whatever the batch.
constexpr std::size_t most_listed = 10000;
#endif

sched::captured_run run_program(std::string_view batch)
{
#ifdef SCHED_WEB_PROGRESS
	static page_progress progress;
	SCHED_PROGRAM::show_progress_on(&progress);
#endif
	return sched::run_in_memory(
		[](std::FILE* in, std::FILE* out, std::FILE* err) {
#ifdef SCHED_DOCUMENT
			return SCHED_PROGRAM::run(in, out, err, {.form = sched::output_form::json, .most_listed = most_listed});
#else
			return SCHED_PROGRAM::run(in, out, err);
#endif
		},
		batch);
}

// The last batch run and its outcome: an answer is checked against the run the page has
// just shown, and a long run is not made twice for it.
const sched::captured_run& run_of(std::string_view batch)
{
	static std::string last_batch;
	static sched::captured_run last_run;
	static bool ran = false;
	if (!ran || batch != last_batch) {
		last_run = run_program(batch);
		last_batch = batch;
		ran = true;
	}
	return last_run;
}

bool has_document(const sched::captured_run& run)
{
#ifdef SCHED_DOCUMENT
	return run.status == 0;
#else
	(void)run;
	return false;
#endif
}

// The report an answer is held to, with the account behind it where the program gave
// one; a refused batch's report is what the program printed before it stopped.
sched::expected_report expected_of(const sched::captured_run& run)
{
	if (has_document(run))
		return sched::read_expected_report(run.out);
	return {run.out, {}, {}};
}

// (sched::cat, not +: GCC 12 warns falsely of overlapping copies where a literal is added
// to a temporary string.)
std::string finding_json(const sched::finding& f, const std::vector<sched::account_entry>& account)
{
	namespace json = sched::json;
	const std::optional<std::size_t> entry = sched::deciding_entry(account, f);
	return sched::cat("{\"kind\":", json::bytes(f.kind), ",\"line\":", std::to_string(f.line),
	                  ",\"expected_line\":", std::to_string(f.expected_line), ",\"record\":", std::to_string(f.record),
	                  ",\"ahead\":", std::to_string(f.ahead), ",\"text\":", json::bytes(f.text),
	                  ",\"hint\":", json::bytes(f.hint), ",\"entry\":", entry ? std::to_string(*entry) : "null", "}");
}

std::string judgement_json(const sched::comparison& c, const std::vector<sched::account_entry>& account, int status)
{
	std::string findings;
	for (const sched::finding& f : c.findings)
		findings += sched::cat(findings.empty() ? "" : ",", finding_json(f, account));
	return sched::cat("{\"status\":", std::to_string(status), ",\"verdict\":", sched::json::bytes(sched::verdict_name(c.outcome)),
	                  ",\"detail\":", sched::json::bytes(c.detail), ",\"first_difference\":",
	                  std::to_string(c.first_difference), ",\"findings\":[", findings, "]}");
}

} // namespace

// Runs the program on `size` bytes of batch and returns the outcome as a JSON object, which
// stays valid until the next call:
//   {"status": 0, "error": "", "document": {...}}   a scheduler that accepted the batch
//   {"status": N, "error": "...", "report": "..."}  sum_cases, or a refused batch
extern "C" const char* sched_run(const char* batch, std::size_t size)
{
	static std::string json;
	const sched::captured_run& run = run_of({batch, size});
	json = sched::cat("{\"status\":", std::to_string(run.status), ",\"error\":", sched::json::bytes(run.err));
	json += has_document(run) ? sched::cat(",\"document\":", run.out, "}") : sched::cat(",\"report\":", sched::json::bytes(run.out), "}");
	return json.c_str();
}

// Holds `answer_size` bytes of answer against the program's report of the batch, as the
// console's checker does (spacing and line ends count), and returns the judgement as a
// JSON object, valid until the next call:
//   {"status": 0, "verdict": "wrong answer", "detail": "...", "first_difference": 1,
//    "findings": [{"kind", "line", "expected_line", "record", "ahead", "text", "hint",
//                  "entry": the index of the account's entry that decided it, or null}]}
// `status` is the program's exit status on the batch.
extern "C" const char* sched_judge(const char* batch, std::size_t batch_size, const char* answer,
                                   std::size_t answer_size)
{
	static std::string json;
	const sched::captured_run& run = run_of({batch, batch_size});
	const sched::expected_report expected = expected_of(run);
	const sched::comparison c = sched::compare_reports(SCHED_REPORT_RULES, expected.report, {answer, answer_size},
	                                                   sched::compare_mode::exact, expected.line_records);
	json = judgement_json(c, expected.account, run.status);
	return json.c_str();
}

// The batch of exercise `seed` with the given options, as {"batch": "..."}, or
// {"error": "..."} for options out of bounds; valid until the next call.
extern "C" const char* sched_exercise(int with_priority, std::uint32_t seed, std::int32_t n, std::int32_t arrival_lo,
                                      std::int32_t arrival_hi, std::int32_t burst_lo, std::int32_t burst_hi,
                                      std::int32_t priority_lo, std::int32_t priority_hi, int ties)
{
	static std::string json;
	const sched::exercise_options options{
		n, {arrival_lo, arrival_hi}, {burst_lo, burst_hi}, {priority_lo, priority_hi}, ties != 0};
	const std::string problem = sched::exercise_options_problem(options);
	json = problem.empty() ? sched::cat("{\"batch\":", sched::json::bytes(sched::exercise_batch(with_priority != 0, seed, options)), "}")
	                       : sched::cat("{\"error\":", sched::json::bytes(problem), "}");
	return json.c_str();
}
