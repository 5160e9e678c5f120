// fcfs_fixed: first come, first served from a table of 100 slots.
//
// Reads a process count of at most 100 and that many records of a one-character name,
// arrival and burst, dispatches the processes in order of arrival, back to back from
// time 0, and prints one line per process once all are computed: name, completion,
// turnaround, waiting.

#include "fcfs_fixed.hpp"

#include "input.hpp"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

namespace {

constexpr std::int32_t capacity = 100;

[[noreturn]] void fail_write()
{
	throw failure(std::string("cannot write standard output: ") + std::strerror(errno));
}

void print_line(std::FILE* out, char name, long long completion, long long turnaround,
                long long waiting)
{
	if (std::fprintf(out, "%c %lld %lld %lld\n", name, completion, turnaround, waiting) < 0)
		fail_write();
}

void run(batch_reader& input, std::FILE* out, run_trace* trace)
{
	std::array<std::int32_t, capacity> record{}; // where the process stood in the input, for a trace
	std::array<char, capacity> name{};
	std::array<std::int32_t, capacity> arrival{};
	std::array<std::int32_t, capacity> burst{};
	std::array<long long, capacity> completion{};
	std::array<long long, capacity> turnaround{};
	std::array<long long, capacity> waiting{};

	const std::int32_t count = input.count();
	if (count > capacity)
		throw failure("process count is above 100");
	// A count of 0 or less reads nothing and reports nothing; the loops below then
	// never run.
	const std::size_t used = count > 0 ? static_cast<std::size_t>(count) : 0;

	for (std::size_t slot = 0; slot < used; slot++) {
		record[slot] = static_cast<std::int32_t>(slot) + 1;
		name[slot] = input.name(record[slot]);
		arrival[slot] = input.number(record[slot], "arrival");
		burst[slot] = input.number(record[slot], "burst");
	}
	input.end();

	// Selection exchange: slot p takes every later slot with a strictly smaller arrival
	// in turn, so equal arrivals can still end up in another order.
	for (std::size_t p = 0; p + 1 < used; p++) {
		for (std::size_t i = p + 1; i < used; i++) {
			if (arrival[p] > arrival[i]) {
				std::swap(burst[p], burst[i]);
				std::swap(name[p], name[i]);
				std::swap(arrival[p], arrival[i]);
				std::swap(record[p], record[i]);
			}
		}
	}

	// Turnaround is measured from time 0, not from the arrival, and a late arrival
	// leaves no idle time: the processes simply run back to back.
	for (std::size_t slot = 0; slot < used; slot++) {
		completion[slot] = burst[slot] + (slot > 0 ? completion[slot - 1] : 0);
		turnaround[slot] = completion[slot];
		waiting[slot] = turnaround[slot] - burst[slot];
		if (trace != nullptr)
			trace->ran(record[slot], waiting[slot], burst[slot]);
	}

	for (std::size_t slot = 0; slot < used; slot++)
		print_line(out, name[slot], completion[slot], turnaround[slot], waiting[slot]);
	if (std::fflush(out) != 0 || std::ferror(out))
		fail_write();
}

} // namespace

int fcfs_fixed(std::FILE* in, std::FILE* out, std::FILE* err, run_trace* trace)
{
	try {
		batch_reader input(in);
		run(input, out, trace);
		return 0;
	} catch (const failure& problem) {
		std::fprintf(err, "fcfs_fixed: %s\n", problem.what());
	}
	return 1;
}
