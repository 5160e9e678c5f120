// sum_cases: adds two integers per test case.
//
// Prompts for a number of test cases, 1 to 10, then reads two integers per case and
// answers each case with their sum as soon as both have been read.

#include "sum_cases.hpp"

#include "batch_reader.hpp"
#include "failure.hpp"

#include <cstdint>
#include <string>

namespace sum_cases {

namespace {

constexpr std::int32_t most_cases = 10;

// Every write is pushed out at once: a person at the console sees the prompt before
// typing, and each answer before typing the next case.
void write(std::FILE* out, const std::string& text)
{
	if (std::fputs(text.c_str(), out) < 0 || std::fflush(out) != 0)
		sched::fail_write();
}

void answer(sched::batch_reader& input, std::FILE* out)
{
	write(out, "enter no of test cases");
	const std::int32_t cases = input.count();
	if (cases < 1 || cases > most_cases) {
		input.end();
		return;
	}
	for (std::int32_t test_case = 1; test_case <= cases; test_case++) {
		const std::int32_t first = input.number(test_case, "first number");
		const std::int32_t second = input.number(test_case, "second number");
		if (test_case == cases)
			input.end();
		const long long sum = static_cast<long long>(first) + second;
		write(out, "sum of given numbers is:\n" + std::to_string(sum) + "\n");
	}
}

} // namespace

int run(std::FILE* in, std::FILE* out, std::FILE* err)
{
	return sched::run_guarded("sum_cases", out, err, [&] {
		sched::batch_reader input(in, {.item = "case", .count = "case count"});
		answer(input, out);
	});
}

} // namespace sum_cases
