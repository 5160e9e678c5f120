#ifndef SCHED_COMMON_REPORT_HPP
#define SCHED_COMMON_REPORT_HPP

#include "account.hpp"
#include "failure.hpp"

#include <charconv>
#include <cstddef>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

namespace sched {

// A process's report line, line feed included.
struct report_text {
	char line[128];
	std::size_t size;
};

// The one place where a report line is put together: the name, then each figure after a
// blank, then a line feed, the bytes of "%c %d %d %d\n" and its longer kin, each number
// as %d or %lld writes it. By hand, because parsing the format again for each of a
// million lines took a third of the run.
inline report_text report_line(char name, std::initializer_list<long long> figures)
{
	report_text text;
	char* const end = text.line + sizeof text.line;
	char* out = text.line;
	*out++ = name;
	for (const long long figure : figures) {
		*out++ = ' ';
		out = std::to_chars(out, end, figure).ptr;
	}
	*out++ = '\n';
	text.size = static_cast<std::size_t>(out - text.line);
	return text;
}

// Where the report lines go as processes finish: to the output, or, for a document that
// holds the report, into a string with each process's figures beside it.
class report_writer {
public:
	explicit report_writer(std::FILE* out) : out_(out) {}
	report_writer(std::string& kept, std::vector<finished_process>& processes)
	    : out_(nullptr), kept_(&kept), processes_(&processes)
	{
	}

	void line(const report_text& text, const finished_process& figures) const
	{
		if (out_ == nullptr) {
			kept_->append(text.line, text.size);
			processes_->push_back(figures);
		} else if (std::fwrite(text.line, 1, text.size, out_) != text.size) {
			fail_write();
		}
	}

	// The lines are all out: throws if any failed to go.
	void finish() const
	{
		if (out_ != nullptr && (std::fflush(out_) != 0 || std::ferror(out_)))
			fail_write();
	}

private:
	std::FILE* out_;
	std::string* kept_ = nullptr;
	std::vector<finished_process>* processes_ = nullptr;
};

} // namespace sched

#endif
