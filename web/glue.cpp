// The page's way into one program: it hands over a batch as bytes and gets back, as one
// JSON text, what the console would show (the message on standard error and the exit
// status) and, for a scheduler that accepted the batch, the program's own JSON document
// (--json): the report, the records, the schedule and the decisions behind it.
//
// Built once per program and linked with that program's core alone. CMake names the
// program's namespace (SCHED_PROGRAM) and its header (SCHED_PROGRAM_HEADER), and
// defines SCHED_DOCUMENT for the programs that write a document. A report holds bytes,
// not text: a name is one byte of whatever the batch held, so every string of the
// answer holds bytes as the programs' documents do, each byte from 0x7f up as the code
// point of the same value, which the page turns back into exactly these bytes.

#include SCHED_PROGRAM_HEADER

#include "account.hpp"
#include "in_memory.hpp"

#include <cstdio>
#include <string>

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

} // namespace

#ifdef SCHED_DOCUMENT
// A chart draws at most this many segments, and the table lists at most this many
// processes; the report and the averages are whole whatever the batch.
constexpr std::size_t most_listed = 10000;
#endif

// Runs the program on `size` bytes of batch and returns the outcome as a JSON object, which
// stays valid until the next call:
//   {"status": 0, "error": "", "document": {...}}   a scheduler that accepted the batch
//   {"status": N, "error": "...", "report": "..."}  sum_cases, or a refused batch
extern "C" const char* sched_run(const char* batch, std::size_t size)
{
	static std::string json;
#ifdef SCHED_WEB_PROGRESS
	static page_progress progress;
	SCHED_PROGRAM::show_progress_on(&progress);
#endif
	const sched::captured_run run = sched::run_in_memory(
		[](std::FILE* in, std::FILE* out, std::FILE* err) {
#ifdef SCHED_DOCUMENT
			return SCHED_PROGRAM::run(in, out, err, {.form = sched::output_form::json, .most_listed = most_listed});
#else
			return SCHED_PROGRAM::run(in, out, err);
#endif
		},
		{batch, size});
	json = "{\"status\":" + std::to_string(run.status) + ",\"error\":" + sched::json::bytes(run.err);
#ifdef SCHED_DOCUMENT
	if (run.status == 0)
		return (json += ",\"document\":" + run.out + "}").c_str();
#endif
	return (json += ",\"report\":" + sched::json::bytes(run.out) + "}").c_str();
}
