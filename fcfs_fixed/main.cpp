// fcfs_fixed: first come, first served from a table of 100 slots.
//
// Reads a process count of at most 100 and that many records of a one-character name,
// arrival and burst from standard input, dispatches the processes in order of arrival,
// back to back from time 0, and prints one line per process once all are computed:
// name, completion, turnaround, waiting.

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

const char program[] = "fcfs_fixed";

constexpr std::int32_t capacity = 100;

enum class scan { ok, missing, not_a_number, out_of_range };

[[noreturn]] void fail(const char* message)
{
	std::fprintf(stderr, "%s: %s\n", program, message);
	std::exit(1);
}

[[noreturn]] void fail_field(int record, const char* field, scan problem)
{
	const char* what = problem == scan::missing      ? "is missing"
	                   : problem == scan::not_a_number ? "is not a number"
	                                                   : "is out of range";
	if (record > 0)
		std::fprintf(stderr, "%s: record %d: %s %s\n", program, record, field, what);
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

std::int32_t read_number(int record, const char* field)
{
	std::int32_t value = 0;
	const scan result = scan_int(value);
	if (result != scan::ok)
		fail_field(record, field, result);
	return value;
}

// A name is the one character after the white space, whatever it is, so a number may
// follow it with no blank between them.
char read_name(int record)
{
	const int c = skip_white();
	if (c == EOF)
		fail_field(record, "name", scan::missing);
	return static_cast<char>(c);
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
{
#ifdef _WIN32
	// Binary streams: reports and messages end their lines with LF alone, byte for byte
	// as on every other platform, and a Ctrl-Z in the input is an ordinary character,
	// not the end of the input. CR LF input reads as before: CR counts as white space.
	_setmode(_fileno(stdin), _O_BINARY);
	_setmode(_fileno(stdout), _O_BINARY);
	_setmode(_fileno(stderr), _O_BINARY);
#endif
	std::array<char, capacity> name{};
	std::array<std::int32_t, capacity> arrival{};
	std::array<std::int32_t, capacity> burst{};
	std::array<long long, capacity> completion{};
	std::array<long long, capacity> turnaround{};
	std::array<long long, capacity> waiting{};

	const std::int32_t count = read_number(0, "process count");
	if (count > capacity)
		fail("process count is above 100");
	// A count of 0 or less reads nothing and reports nothing; the loops below then
	// never run.
	const std::size_t used = count > 0 ? static_cast<std::size_t>(count) : 0;

	for (std::size_t slot = 0; slot < used; slot++) {
		const int record = static_cast<int>(slot) + 1;
		name[slot] = read_name(record);
		arrival[slot] = read_number(record, "arrival");
		burst[slot] = read_number(record, "burst");
	}

	// Selection exchange: slot p takes every later slot with a strictly smaller arrival
	// in turn, so equal arrivals can still end up in another order.
	for (std::size_t p = 0; p + 1 < used; p++) {
		for (std::size_t i = p + 1; i < used; i++) {
			if (arrival[p] > arrival[i]) {
				std::swap(burst[p], burst[i]);
				std::swap(name[p], name[i]);
				std::swap(arrival[p], arrival[i]);
			}
		}
	}

	// Turnaround is measured from time 0, not from the arrival, and a late arrival
	// leaves no idle time: the processes simply run back to back.
	for (std::size_t slot = 0; slot < used; slot++) {
		completion[slot] = burst[slot] + (slot > 0 ? completion[slot - 1] : 0);
		turnaround[slot] = completion[slot];
		waiting[slot] = turnaround[slot] - burst[slot];
	}

	for (std::size_t slot = 0; slot < used; slot++)
		print_report(name[slot], completion[slot], turnaround[slot], waiting[slot]);
	finish_output();
	return 0;
}
