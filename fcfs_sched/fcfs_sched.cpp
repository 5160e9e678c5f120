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
	std::vector<std::int32_t> record; // where each process stood in the input, for a trace

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
		b.record.push_back(static_cast<std::int32_t>(record));
	}
	input.end();
	return b;
}

[[noreturn]] void fail_write()
{
	throw failure(std::string("cannot write standard output: ") + std::strerror(errno));
}

// Turnaround is measured from time 0, not from the arrival, and a late arrival leaves no
// idle time: the processes simply run back to back.
void print_schedule(const batch& b, std::FILE* out, run_trace* trace)
{
	long long completion = 0;
	for (std::size_t slot = 0; slot < b.name.size(); slot++) {
		completion += b.burst[slot];
		const long long turnaround = completion;
		const long long waiting = turnaround - b.burst[slot];
		if (std::fprintf(out, "%c %lld %lld %lld\n", b.name[slot], completion, turnaround, waiting) < 0)
			fail_write();
		if (trace != nullptr)
			trace->ran(b.record[slot], waiting, b.burst[slot]);
	}
	if (std::fflush(out) != 0 || std::ferror(out))
		fail_write();
}

} // namespace

int fcfs_sched(std::FILE* in, std::FILE* out, std::FILE* err, run_trace* trace)
{
	try {
		batch_reader input(in);
		batch b = read_batch(input);
		order_by_arrival(b.size(), b.name.data(), b.arrival.data(), b.burst.data(), b.record.data());
		print_schedule(b, out, trace);
		return 0;
	} catch (const failure& problem) {
		std::fprintf(err, "fcfs_sched: %s\n", problem.what());
	} catch (const std::bad_alloc&) {
		std::fprintf(err, "fcfs_sched: out of memory\n");
	}
	return 1;
}
