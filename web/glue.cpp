// The page's way into one program: it hands over a batch as bytes and gets back, as one
// JSON text, what the console would show (the report, the message on standard error, the
// exit status) and what the chart needs (the run's segments and the records they refer to).
//
// Built once per program and linked with that program's core alone. CMake names the
// program's entry function (SCHED_PROGRAM), its header (SCHED_PROGRAM_HEADER) and the
// numbers of one record after the name (SCHED_RECORD_FIELDS, a list of quoted field names,
// empty for a program without records); the program's own folder is on the include path,
// so "input.hpp" and "run_trace.hpp" are that program's.

#include SCHED_PROGRAM_HEADER

#include "input.hpp"

// A program records its schedule once its core offers a trace: the page then draws it.
#if __has_include("run_trace.hpp")
#include "run_trace.hpp"
#define SCHED_WEB_TRACE 1
#endif

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

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

void append_number(std::string& json, long long number)
{
	json += std::to_string(number);
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

#ifdef SCHED_WEB_TRACE

constexpr const char* record_fields[] = {SCHED_RECORD_FIELDS};

// The records of a batch that the program has just accepted, read again by the program's
// own reader: the trace names processes by their place in the input, and the chart labels
// them with their names and marks their arrivals. A batch with more records than the
// trace takes segments gets none, nor does a run whose trace was cut short: neither has
// a chart.
void append_records(std::string& json, const char* batch, std::size_t size, std::size_t most)
{
	const memory_input in(batch, size);
	std::string records = "[";
	try {
		batch_reader input(in.stream());
		const std::int32_t count = input.count();
		if (count < 0 || static_cast<std::size_t>(count) > most) {
			json += "null";
			return;
		}
		for (std::int32_t record = 1; record <= count; record++) {
			if (record > 1)
				records += ',';
			const char name = input.name(record);
			records += "{\"name\":";
			append_bytes(records, std::string_view(&name, 1));
			for (const char* field : record_fields) {
				records += ",\"";
				records += field;
				records += "\":";
				append_number(records, input.number(record, field));
			}
			records += '}';
		}
	} catch (const failure&) {
		json += "null";
		return;
	}
	json += records;
	json += ']';
}

void append_trace(std::string& json, const run_trace& trace)
{
	json += "{\"most_segments\":";
	append_number(json, static_cast<long long>(trace.most_segments));
	json += ",\"cut_short\":";
	json += trace.cut_short ? "true" : "false";
	json += ",\"final_phase_start\":";
	if (trace.final_phase_start)
		append_number(json, *trace.final_phase_start);
	else
		json += "null";
	json += ",\"segments\":[";
	bool first = true;
	for (const run_segment& segment : trace.segments) {
		json += first ? "[" : ",[";
		first = false;
		append_number(json, segment.record);
		json += ',';
		append_number(json, segment.start);
		json += ',';
		append_number(json, segment.end);
		json += ']';
	}
	json += "]}";
}

#endif

} // namespace

// Runs the program on `size` bytes of batch and returns the outcome as a JSON object, which
// stays valid until the next call:
//   {"status": N, "report": "...", "error": "...", "trace": {...} or null, "records": [...] or null}
extern "C" const char* sched_run(const char* batch, std::size_t size)
{
	static std::string json;
	const memory_input in(batch, size);
	memory_output out;
	memory_output err;
#ifdef SCHED_WEB_TRACE
	run_trace trace;
	const int status = SCHED_PROGRAM(in.stream(), out.stream(), err.stream(), &trace);
#else
	const int status = SCHED_PROGRAM(in.stream(), out.stream(), err.stream());
#endif
	json = "{\"status\":";
	append_number(json, status);
	json += ",\"report\":";
	append_bytes(json, out.text());
	json += ",\"error\":";
	append_bytes(json, err.text());
	json += ",\"trace\":";
#ifdef SCHED_WEB_TRACE
	if (status == 0) {
		append_trace(json, trace);
		json += ",\"records\":";
		if (trace.cut_short)
			json += "null";
		else
			append_records(json, batch, size, trace.most_segments);
	} else {
		json += "null,\"records\":null";
	}
#else
	json += "null,\"records\":null";
#endif
	json += '}';
	return json.c_str();
}
