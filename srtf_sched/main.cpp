// srtf_sched: preemptive shortest-remaining-time-first scheduling in unit time steps.
//
// Reads a process count and that many records of name, arrival and burst from standard
// input. The earliest arrival runs a first unit unconditionally; then, one unit at a
// time, the arrived process with the least time left runs until the clock reaches the
// last arrival, when the unfinished processes run to their end, shortest first. Each
// process is reported as it finishes: name, arrival, burst, completion, turnaround,
// waiting.

#include "orderings.hpp"

#include <algorithm>
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

const char program[] = "srtf_sched";

// The process table: one slot per process, one column per attribute. The orderings move
// whole slots; a finished process stays in its slot below the finished count.
struct process_table {
	std::vector<std::int32_t> arrival;
	std::vector<long long> remaining;
	std::vector<char> name;
	std::vector<std::int32_t> burst;

	std::int32_t size() const { return static_cast<std::int32_t>(name.size()); }

	void sort_by_arrival(std::int32_t start, std::int32_t end)
	{
		arrival_sort(arrival.data(), remaining.data(), start, end, name.data(), burst.data());
	}

	void sort_by_remaining(std::int32_t start, std::int32_t end)
	{
		burst_sort(arrival.data(), remaining.data(), start, end, name.data(), burst.data());
	}
};

enum class scan { ok, missing, not_a_number, out_of_range };

[[noreturn]] void fail(const char* message)
{
	std::fprintf(stderr, "%s: %s\n", program, message);
	std::exit(1);
}

[[noreturn]] void fail_field(long long record, const char* field, const char* problem)
{
	if (record > 0)
		std::fprintf(stderr, "%s: record %lld: %s %s\n", program, record, field, problem);
	else
		std::fprintf(stderr, "%s: %s %s\n", program, field, problem);
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
	switch (scan_int(value)) {
	case scan::ok:
		break;
	case scan::missing:
		fail_field(record, field, "is missing");
	case scan::not_a_number:
		fail_field(record, field, "is not a number");
	case scan::out_of_range:
		fail_field(record, field, "is out of range");
	}
	return value;
}

// A name is the one character after the white space, whatever it is, so the arrival may
// follow it with no blank between them.
char read_name(long long record)
{
	const int c = skip_white();
	if (c == EOF)
		fail_field(record, "name", "is missing");
	return static_cast<char>(c);
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
process_table read_batch(std::int32_t count)
{
	process_table t;
	for (long long record = 1; record <= count; record++) {
		t.name.push_back(read_name(record));
		t.arrival.push_back(read_number(record, "arrival"));
		const std::int32_t burst = read_number(record, "burst");
		t.remaining.push_back(burst);
		t.burst.push_back(burst);
	}
	return t;
}

void report(const process_table& t, std::int32_t slot, long long completion)
{
	const long long turnaround = completion - t.arrival[slot];
	const long long waiting = turnaround - t.burst[slot];
	if (std::printf("%c %d %d %lld %lld %lld\n", t.name[slot], t.arrival[slot], t.burst[slot],
	                completion, turnaround, waiting) < 0)
		fail_write();
}

void finish_output()
{
	if (std::fflush(stdout) != 0 || std::ferror(stdout))
		fail_write();
}

// The first slot from `from` on that has not arrived by `clock`. The slots that have
// ever been ready stand first among the unfinished ones and the rest keep their arrival
// order behind them, so the arrived slots are always a leading run.
std::int32_t find_ready_end(const process_table& t, std::int32_t from, long long clock)
{
	std::int32_t end = from;
	while (end < t.size() && t.arrival[end] <= clock)
		end++;
	return end;
}

// Runs the process in slot `first`, the shortest of the ready range, for as many unit
// steps as pass before the next event, and returns the units run. Once the ready range
// is ordered and its first process runs, that process only moves further ahead of the
// rest: the range stays ordered, the stable ordering leaves it as it is, and the same
// process runs in every step until it finishes, a process arrives, or the clock reaches
// the last arrival (which is never past the next arrival). A process whose time left is
// 0 or less never reaches 0 again and so runs until the next arrival.
long long run_until_next_event(process_table& t, std::int32_t first, long long clock,
                               long long next_arrival)
{
	long long units = next_arrival - clock;
	if (t.remaining[first] > 0)
		units = std::min(units, t.remaining[first]);
	t.remaining[first] -= units;
	return units;
}

// The stepping phase, from the first tick until every process has finished or a step
// finds a process ready with the clock at or past the last arrival. Returns the number
// of finished processes.
std::int32_t step_to_last_arrival(process_table& t, std::int32_t finished, long long& clock)
{
	const std::int32_t last_arrival = t.arrival.back();
	// Slots from `finished` to `ordered_end` - 1 are in order of time left. They stay so
	// from one step to the next: the process in front only moves further ahead while it
	// runs, and a finished one leaves the front. Only newcomers can be out of order, and
	// the stable ordering of a range already in order exchanges nothing, so the ordering
	// is run only when processes have joined the ready range.
	std::int32_t ordered_end = finished;
	while (finished < t.size()) {
		const std::int32_t ready_end = find_ready_end(t, std::max(finished, ordered_end), clock);
		if (ready_end == finished) {
			// Idle steps change nothing but the clock, so it moves straight to the
			// next arrival, which is in the first unfinished slot.
			clock = t.arrival[finished];
			continue;
		}
		if (clock >= last_arrival)
			break;
		if (ready_end > ordered_end) {
			t.sort_by_remaining(finished, ready_end);
			ordered_end = ready_end;
		}
		clock += run_until_next_event(t, finished, clock, t.arrival[ready_end]);
		if (t.remaining[finished] == 0) {
			report(t, finished, clock);
			finished++;
		}
	}
	return finished;
}

// The final phase: every unfinished process has arrived and runs to its end, shortest
// first.
void run_to_end(process_table& t, std::int32_t finished, long long clock)
{
	t.sort_by_remaining(finished, t.size());
	for (std::int32_t slot = finished; slot < t.size(); slot++) {
		clock += t.remaining[slot];
		report(t, slot, clock);
	}
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
	process_table table = read_batch(read_count());
	if (table.size() > 0) {
		table.sort_by_arrival(0, table.size());

		// The first tick: the earliest arrival runs one unit, whatever the bursts.
		long long clock = table.arrival[0] + 1LL;
		std::int32_t finished = 0;
		if (--table.remaining[0] == 0) {
			report(table, 0, clock);
			finished = 1;
		}

		finished = step_to_last_arrival(table, finished, clock);
		run_to_end(table, finished, clock);
	}
	finish_output();
	return 0;
} catch (const std::bad_alloc&) {
	fail("out of memory");
}
