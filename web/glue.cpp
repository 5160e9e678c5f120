// The page's way into one program: it hands over a batch as bytes and gets back, as one
// JSON text, what the console would show (the message on standard error and the exit
// status) and, for a scheduler that accepted the batch, the program's own JSON document
// (--json): the report, the records, the schedule and the decisions behind it.
//
// Built once per program and linked with that program's core alone. CMake names the
// program's entry function (SCHED_PROGRAM) and its header (SCHED_PROGRAM_HEADER), and
// defines SCHED_DOCUMENT for the programs that write a document.

#include SCHED_PROGRAM_HEADER

#include <cstdio>
#include <cstdlib>
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
class page_progress : public progress_hook {
public:
	void show(const progress_point& point) override
	{
		post_progress(static_cast<double>(point.clock), static_cast<double>(point.last_arrival), point.finished,
		              point.processes);
	}
};
#endif

// Bytes as a JSON string. A report holds bytes, not text: a name is one byte of whatever
// the batch held, so a multi-byte character arrives in pieces. Every byte from 0x7f up
// therefore stands as the code point of the same value, one character per byte, and the
// page turns the string back into exactly these bytes before it decodes them.
void append_bytes(std::string& json, std::string_view bytes)
{
	static constexpr char hex[] = "0123456789abcdef";
	json += '"';
	for (const char c : bytes) {
		const auto byte = static_cast<unsigned char>(c);
		if (c == '"' || c == '\\') {
			json += '\\';
			json += c;
		} else if (byte < 0x20 || byte >= 0x7f) {
			json += "\\u00";
			json += hex[byte >> 4];
			json += hex[byte & 0xf];
		} else {
			json += c;
		}
	}
	json += '"';
}

// Everything a stream over memory wrote, taken once the stream is closed.
class memory_output {
public:
	memory_output() : stream_(open_memstream(&text_, &size_)) {}
	memory_output(const memory_output&) = delete;
	memory_output& operator=(const memory_output&) = delete;
	~memory_output()
	{
		close();
		std::free(text_);
	}

	std::FILE* stream() const { return stream_; }

	std::string_view text()
	{
		close();
		return text_ != nullptr ? std::string_view(text_, size_) : std::string_view();
	}

private:
	void close()
	{
		if (stream_ != nullptr)
			std::fclose(stream_);
		stream_ = nullptr;
	}

	char* text_ = nullptr;
	std::size_t size_ = 0;
	std::FILE* stream_;
};

// The batch as the program's standard input.
class memory_input {
public:
	memory_input(const char* bytes, std::size_t size)
	    : stream_(fmemopen(const_cast<char*>(size > 0 ? bytes : ""), size, "r"))
	{
	}
	memory_input(const memory_input&) = delete;
	memory_input& operator=(const memory_input&) = delete;
	~memory_input()
	{
		if (stream_ != nullptr)
			std::fclose(stream_);
	}

	std::FILE* stream() const { return stream_; }

private:
	std::FILE* stream_;
};

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
	show_progress_on(&progress);
#endif
	const memory_input in(batch, size);
	memory_output out;
	memory_output err;
#ifdef SCHED_DOCUMENT
	const int status = SCHED_PROGRAM(in.stream(), out.stream(), err.stream(),
	                                 {.form = output_form::json, .most_listed = most_listed});
#else
	const int status = SCHED_PROGRAM(in.stream(), out.stream(), err.stream());
#endif
	json = "{\"status\":" + std::to_string(status) + ",\"error\":";
	append_bytes(json, err.text());
#ifdef SCHED_DOCUMENT
	if (status == 0) {
		json += ",\"document\":";
		json += out.text();
		json += '}';
		return json.c_str();
	}
#endif
	json += ",\"report\":";
	append_bytes(json, out.text());
	json += '}';
	return json.c_str();
}
