// fcfs_sched: first come, first served.
//
// Reads a process count and that many records of name token, arrival and burst,
// dispatches the processes in order of arrival, back to back from time 0, and prints one
// line per process: name, completion, turnaround, waiting.

#include "fcfs_sched.hpp"

#include "arrival_order.hpp"
#include "input.hpp"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace {

struct batch {
	std::vector<char> name;
	std::vector<std::int32_t> arrival;
	std::vector<std::int32_t> burst;

	std::int32_t size() const { return static_cast<std::int32_t>(name.size()); }
};

// The table grows record by record instead of being sized from the count: a count that
// promises more records than the input holds then ends at the end of the input, without
// first claiming memory for records that never come.
batch read_batch(batch_reader& input)
{
	const std::int32_t count = input.count();
	if (count < 0)
		throw failure("process count is negative");
	batch b;
	for (long long record = 1; record <= count; record++) {
		b.name.push_back(input.name(record));
		b.arrival.push_back(input.number(record, "arrival"));
		b.burst.push_back(input.number(record, "burst"));
	}
	input.end();
	return b;
}

[[noreturn]] void fail_write()
{
	throw failure(std::string("cannot write standard output: ") + std::strerror(errno));
}

// One report line, "%c %lld %lld %lld\n" as printf would write it. Formatting a million
// lines through printf took a quarter of the whole run.
class report_line {
public:
	void put(char c) { text_[size_++] = c; }

	void put(long long value)
	{
		char digits[20];
		std::size_t count = 0;
		auto magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
		do {
			digits[count++] = static_cast<char>('0' + magnitude % 10);
			magnitude /= 10;
		} while (magnitude != 0);
		if (value < 0)
			put('-');
		while (count > 0)
			put(digits[--count]);
	}

	const char* data() const { return text_; }
	std::size_t size() const { return size_; }

private:
	// A name, three numbers of at most 20 characters, their blanks and the line feed.
	char text_[1 + 3 * 21 + 1];
	std::size_t size_ = 0;
};

// Turnaround is measured from time 0, not from the arrival, and a late arrival leaves no
// idle time: the processes simply run back to back.
void print_schedule(const batch& b, std::FILE* out)
{
	long long completion = 0;
	for (std::size_t slot = 0; slot < b.name.size(); slot++) {
		completion += b.burst[slot];
		const long long turnaround = completion;
		report_line text;
		text.put(b.name[slot]);
		for (const long long field : {completion, turnaround, turnaround - b.burst[slot]}) {
			text.put(' ');
			text.put(field);
		}
		text.put('\n');
		if (std::fwrite(text.data(), 1, text.size(), out) != text.size())
			fail_write();
	}
	if (std::fflush(out) != 0 || std::ferror(out))
		fail_write();
}

} // namespace

int fcfs_sched(std::FILE* in, std::FILE* out, std::FILE* err)
{
	try {
		batch_reader input(in);
		batch b = read_batch(input);
		order_by_arrival(b.size(), b.name.data(), b.arrival.data(), b.burst.data());
		print_schedule(b, out);
		return 0;
	} catch (const failure& problem) {
		std::fprintf(err, "fcfs_sched: %s\n", problem.what());
	} catch (const std::bad_alloc&) {
		std::fprintf(err, "fcfs_sched: out of memory\n");
	}
	return 1;
}
