#ifndef PRIORITY_SCHED_REPORT_LINE_HPP
#define PRIORITY_SCHED_REPORT_LINE_HPP

#include <charconv>
#include <cstddef>

// A process's report line, line feed included.
struct report_text {
	char line[80];
	std::size_t size;
};

// The one place where the report line's format is written: the bytes of
// "%c %lld %lld %lld\n", each number as %lld writes it, put together by hand because
// parsing that format again for each of a million lines took a third of the run.
inline report_text report_line(char name, long long completion, long long turnaround, long long waiting)
{
	report_text text;
	char* const end = text.line + sizeof text.line;
	char* out = text.line;
	*out++ = name;
	for (const long long figure : {completion, turnaround, waiting}) {
		*out++ = ' ';
		out = std::to_chars(out, end, figure).ptr;
	}
	*out++ = '\n';
	text.size = static_cast<std::size_t>(out - text.line);
	return text;
}

#endif
