// floor: what reading a batch and printing a report of the same size cost with no
// scheduling at all, the yardstick for the programs' own CPU time in bench/run.
//
//     floor PROGRAM < BATCH > REPORT
//
// PROGRAM is priority_sched, srtf_sched or fcfs_sched: it reads that program's records
// and writes one line of that program's shape per record, in input order. The figures
// are the program's own arithmetic with no process ever kept waiting (fcfs_sched's back
// to back from time 0, the others' from each arrival), so that the lines have about as
// many digits as the real report's.
//
// It is plain code of its own: one read of the whole input, a parse by hand, the lines
// put together in one buffer and one write. None of the suite's reader or writer, so
// that making those faster does not lower the yardstick too. It trusts its input: the
// batches come from bench/run.

#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct record {
	char name;
	long long arrival;
	long long burst;
};

struct shape {
	const char* program;
	int numbers;         // per record: the last two are the arrival and the burst
	int figures;         // per report line, after the name
	bool from_time_zero; // the processes back to back from time 0, or each from its arrival
};

constexpr shape shapes[] = {
	{"priority_sched", 3, 3, false}, {"srtf_sched", 2, 5, false}, {"fcfs_sched", 2, 3, true}};

// The longest line: a name and five figures of up to 20 characters, each after a blank.
constexpr std::size_t longest_line = 1 + 5 * 21 + 1;

std::vector<char> read_all(std::FILE* in)
{
	std::vector<char> bytes(1 << 24);
	std::size_t size = 0;
	for (std::size_t got; (got = std::fread(bytes.data() + size, 1, bytes.size() - size, in)) > 0;) {
		size += got;
		if (size == bytes.size())
			bytes.resize(2 * bytes.size());
	}
	bytes.resize(size);
	return bytes;
}

bool is_white(char c)
{
	return c == ' ' || (c >= '\t' && c <= '\r');
}

class parser {
public:
	explicit parser(const std::vector<char>& bytes) : at_(bytes.data()), end_(bytes.data() + bytes.size()) {}

	char name()
	{
		skip_white();
		const char first = at_ < end_ ? *at_ : '?';
		while (at_ < end_ && !is_white(*at_))
			at_++;
		return first;
	}

	long long number()
	{
		skip_white();
		const bool negative = at_ < end_ && *at_ == '-';
		if (at_ < end_ && (*at_ == '-' || *at_ == '+'))
			at_++;
		long long value = 0;
		for (; at_ < end_ && *at_ >= '0' && *at_ <= '9'; at_++)
			value = value * 10 + (*at_ - '0');
		return negative ? -value : value;
	}

private:
	void skip_white()
	{
		while (at_ < end_ && is_white(*at_))
			at_++;
	}

	const char* at_;
	const char* end_;
};

char* put(char* out, long long figure)
{
	*out++ = ' ';
	return std::to_chars(out, out + 20, figure).ptr;
}

// One line as `s`'s program would write it for `r`; `clock` is fcfs_sched's, the end of
// the work so far.
char* put_line(char* out, const shape& s, const record& r, long long& clock)
{
	*out++ = r.name;
	if (s.figures == 5) {
		out = put(out, r.arrival);
		out = put(out, r.burst);
	}
	if (s.from_time_zero) {
		clock += r.burst;
		out = put(put(put(out, clock), clock), clock - r.burst);
	} else {
		out = put(put(put(out, r.arrival + r.burst), r.burst), 0);
	}
	*out++ = '\n';
	return out;
}

int run(const shape& s)
{
	const std::vector<char> input = read_all(stdin);
	parser batch(input);
	const long long count = batch.number();
	const auto lines = static_cast<std::size_t>(count > 0 ? count : 0);
	// Never touched beyond what the lines fill, so its pages cost only as they are used.
	const std::unique_ptr<char[]> report = std::make_unique_for_overwrite<char[]>(lines * longest_line);
	char* out = report.get();
	long long clock = 0;
	for (std::size_t line = 0; line < lines; line++) {
		record r{batch.name(), 0, 0};
		for (int field = 0; field < s.numbers - 2; field++)
			batch.number();
		r.arrival = batch.number();
		r.burst = batch.number();
		out = put_line(out, s, r, clock);
	}
	const auto size = static_cast<std::size_t>(out - report.get());
	if (std::fwrite(report.get(), 1, size, stdout) != size || std::fflush(stdout) != 0) {
		std::perror("floor: write");
		return 1;
	}
	return 0;
}

} // namespace

int main(int argc, char* argv[])
{
	for (const shape& s : shapes)
		if (argc == 2 && std::strcmp(argv[1], s.program) == 0)
			return run(s);
	std::fprintf(stderr, "usage: floor priority_sched|srtf_sched|fcfs_sched < BATCH > REPORT\n");
	return 2;
}
