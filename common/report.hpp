#ifndef SCHED_COMMON_REPORT_HPP
#define SCHED_COMMON_REPORT_HPP

#include "account.hpp"
#include "failure.hpp"

#include <charconv>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
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
// million lines took a third of the run. A figure equal to the one before it is copied
// instead of written again: fcfs_sched's turnaround is always its completion.
inline report_text report_line(char name, std::initializer_list<long long> figures)
{
	report_text text;
	char* const end = text.line + sizeof text.line;
	char* out = text.line;
	*out++ = name;
	const char* last_start = nullptr;
	for (const long long* figure = figures.begin(); figure != figures.end(); figure++) {
		*out++ = ' ';
		if (last_start != nullptr && *figure == figure[-1]) {
			const auto length = static_cast<std::size_t>(out - 1 - last_start);
			std::memcpy(out, last_start, length);
			last_start = out;
			out += length;
		} else {
			last_start = out;
			out = std::to_chars(out, end, *figure).ptr;
		}
	}
	*out++ = '\n';
	text.size = static_cast<std::size_t>(out - text.line);
	return text;
}

// Where the report lines go as processes finish: to the output, or, for a document that
// holds the report, into a string with each process's figures beside it. On their way to
// the output the lines gather in a block that is written whole when it fills up: a call
// into stdio for each of a million lines took a fifth of the run.
class report_writer {
public:
	explicit report_writer(std::FILE* out) : out_(out), block_(block_size) {}
	report_writer(std::string& kept, std::vector<finished_process>& processes)
	    : out_(nullptr), kept_(&kept), processes_(&processes)
	{
	}
	report_writer(const report_writer&) = delete;
	report_writer& operator=(const report_writer&) = delete;
	// A run that ends in a failure still has its finished lines pushed out before the
	// message, as when each line went out at once.
	~report_writer()
	{
		if (out_ != nullptr && used_ > 0)
			std::fwrite(block_.data(), 1, used_, out_);
	}

	void line(const report_text& text, const finished_process& figures) const
	{
		if (out_ == nullptr) {
			kept_->append(text.line, text.size);
			processes_->push_back(figures);
			return;
		}
		// The whole of the line's buffer is copied, and only its own length kept: a copy
		// of a fixed size is a few moves in place, where one of any size is a call.
		if (block_.size() - used_ < sizeof text.line)
			write_block();
		std::memcpy(block_.data() + used_, text.line, sizeof text.line);
		used_ += text.size;
	}

	// The lines are all out: throws if any failed to go.
	void finish() const
	{
		if (out_ == nullptr)
			return;
		write_block();
		if (std::fflush(out_) != 0 || std::ferror(out_))
			fail_write();
	}

private:
	static constexpr std::size_t block_size = 1 << 16;

	// The block is empty afterwards even if the write failed, so that nothing is written
	// twice.
	void write_block() const
	{
		const std::size_t size = std::exchange(used_, 0);
		if (std::fwrite(block_.data(), 1, size, out_) != size)
			fail_write();
	}

	std::FILE* out_;
	std::string* kept_ = nullptr;
	std::vector<finished_process>* processes_ = nullptr;
	// The lines not yet written: the writer is handed on as const, and what it holds
	// changes with every line all the same.
	mutable std::vector<char> block_;
	mutable std::size_t used_ = 0;
};

} // namespace sched

#endif
