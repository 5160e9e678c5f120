// fcfs_sched: first come, first served.
//
// Reads a process count and that many records of name token, arrival and burst from
// standard input, dispatches the processes in order of arrival, back to back from
// time 0, and prints one line per process: name, completion, turnaround, waiting.

#include "sort.hpp"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

const char program[] = "fcfs_sched";

struct batch {
	std::vector<char> name;
	std::vector<std::int32_t> arrival;
	std::vector<std::int32_t> burst;
};

enum class scan { ok, missing, not_a_number, out_of_range };

[[noreturn]] void fail(const char* message)
{
	std::fprintf(stderr, "%s: %s\n", program, message);
	std::exit(1);
}

[[noreturn]] void fail_field(long long record, const char* field, scan problem)
{
	const char* what = problem == scan::missing      ? "is missing"
	                   : problem == scan::not_a_number ? "is not a number"
	                                                   : "is out of range";
	if (record > 0)
		std::fprintf(stderr, "%s: record %lld: %s %s\n", program, record, field, what);
	else
		std::fprintf(stderr, "%s: %s %s\n", program, field, what);
	std::exit(1);
}

[[noreturn]] void fail_write()
{
	std::fprintf(stderr, "%s: cannot write standard output: %s\n", program, std::strerror(errno));
	std::exit(1);
}

bool is_white(int c)
{
	return c == ' ' || (c >= '\t' && c <= '\r');
}

bool is_digit(int c)
{
	return c >= '0' && c <= '9';
}

int skip_white()
{
	int c;
	do
		c = std::getchar();
	while (is_white(c));
	return c;
}

// Reads a decimal integer the way "%d" does, but refuses values that do not fit in
// 32 bits instead of leaving them undefined.
scan scan_int(std::int32_t& value)
{
	int c = skip_white();
	if (c == EOF)
		return scan::missing;
	const bool negative = c == '-';
	if (c == '-' || c == '+')
		c = std::getchar();
	if (!is_digit(c))
		return scan::not_a_number;
	// Once past 2^31 the value is out of range whatever its sign, and stops growing
	// there, well inside 64 bits, however many digits follow.
	long long magnitude = 0;
	for (; is_digit(c); c = std::getchar())
		if (magnitude <= INT32_MAX + 1LL)
			magnitude = magnitude * 10 + (c - '0');
	std::ungetc(c, stdin);
	const long long signed_value = negative ? -magnitude : magnitude;
	if (signed_value < INT32_MIN || signed_value > INT32_MAX)
		return scan::out_of_range;
	value = static_cast<std::int32_t>(signed_value);
	return scan::ok;
}

std::int32_t read_number(long long record, const char* field)
{
	std::int32_t value = 0;
	const scan result = scan_int(value);
	if (result != scan::ok)
		fail_field(record, field, result);
	return value;
}

// A name is a whole token, as "%s" reads it; only its first character is kept.
char read_name(long long record)
{
	int c = skip_white();
	if (c == EOF)
		fail_field(record, "name", scan::missing);
	const char name = static_cast<char>(c);
	while ((c = std::getchar()) != EOF && !is_white(c))
		;
	return name;
}

std::int32_t read_count()
{
	const std::int32_t count = read_number(0, "process count");
	if (count < 0)
		fail("process count is negative");
	return count;
}

// The table grows record by record instead of being sized from the count: a count that
// promises more records than the input holds then ends at the end of the input, without
// first claiming memory for records that never come.
batch read_batch(std::int32_t count)
{
	batch b;
	for (long long record = 1; record <= count; record++) {
		b.name.push_back(read_name(record));
		b.arrival.push_back(read_number(record, "arrival"));
		b.burst.push_back(read_number(record, "burst"));
	}
	return b;
}

void print_report(char name, long long completion, long long turnaround, long long waiting)
{
	if (std::printf("%c %lld %lld %lld\n", name, completion, turnaround, waiting) < 0)
		fail_write();
}

void finish_output()
{
	if (std::fflush(stdout) != 0 || std::ferror(stdout))
		fail_write();
}

} // namespace

int main()
try {
#ifdef _WIN32
	// Binary streams: reports and messages end their lines with LF alone, byte for byte
	// as on every other platform, and a Ctrl-Z in the input is an ordinary character,
	// not the end of the input. CR LF input reads as before: CR counts as white space.
	_setmode(_fileno(stdin), _O_BINARY);
	_setmode(_fileno(stdout), _O_BINARY);
	_setmode(_fileno(stderr), _O_BINARY);
#endif
	const std::int32_t count = read_count();
	batch b = read_batch(count);
	sort(count, b.name.data(), b.arrival.data(), b.burst.data());

	// Turnaround is measured from time 0, not from the arrival, and a late arrival
	// leaves no idle time: the processes simply run back to back.
	long long completion = 0;
	for (std::size_t slot = 0; slot < b.name.size(); slot++) {
		completion += b.burst[slot];
		const long long turnaround = completion;
		print_report(b.name[slot], completion, turnaround, turnaround - b.burst[slot]);
	}
	finish_output();
	return 0;
} catch (const std::bad_alloc&) {
	fail("out of memory");
}
