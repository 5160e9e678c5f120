#ifndef FCFS_FIXED_REPORT_LINE_HPP
#define FCFS_FIXED_REPORT_LINE_HPP

#include <cstddef>
#include <cstdio>

// A process's report line, line feed included.
struct report_text {
	char line[80];
	std::size_t size;
};

// The one place where the report line's format is written.
inline report_text report_line(char name, long long completion, long long turnaround, long long waiting)
{
	report_text text;
	const int size = std::snprintf(text.line, sizeof text.line, "%c %lld %lld %lld\n", name, completion,
	                               turnaround, waiting);
	text.size = static_cast<std::size_t>(size);
	return text;
}

#endif
