// sum_cases: adds two integers per test case.
//
// Prompts for a number of test cases, 1 to 10, then reads two integers per case and
// answers each case with their sum as soon as both have been read.

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

const char program[] = "sum_cases";

constexpr std::int32_t most_cases = 10;

enum class scan { ok, missing, not_a_number, out_of_range };

[[noreturn]] void fail_field(int test_case, const char* field, scan problem)
{
	const char* what = problem == scan::missing      ? "is missing"
	                   : problem == scan::not_a_number ? "is not a number"
	                                                   : "is out of range";
	// The answers already written stay: they are flushed before the message.
	std::fflush(stdout);
	if (test_case > 0)
		std::fprintf(stderr, "%s: case %d: %s %s\n", program, test_case, field, what);
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

std::int32_t read_number(int test_case, const char* field)
{
	std::int32_t value = 0;
	const scan result = scan_int(value);
	if (result != scan::ok)
		fail_field(test_case, field, result);
	return value;
}

// Every write is pushed out at once: a person at the console sees the prompt before
// typing, and each answer before typing the next case.
void flush_output()
{
	if (std::fflush(stdout) != 0)
		fail_write();
}

void prompt()
{
	if (std::fputs("enter no of test cases", stdout) < 0)
		fail_write();
	flush_output();
}

void answer(long long sum)
{
	if (std::printf("sum of given numbers is:\n%lld\n", sum) < 0)
		fail_write();
	flush_output();
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
	prompt();
	const std::int32_t cases = read_number(0, "case count");
	if (cases < 1 || cases > most_cases)
		return 0;

	for (int test_case = 1; test_case <= cases; test_case++) {
		const std::int32_t first = read_number(test_case, "first number");
		const std::int32_t second = read_number(test_case, "second number");
		const long long sum = static_cast<long long>(first) + second;
		answer(sum);
	}
	return 0;
}
