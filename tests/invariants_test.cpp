// What every scheduler's report must show whatever its tie-breaks, checked over many
// seeded random batches. The report lines alone tell enough to check that each process
// came back once and unchanged, and that the processor was used as one processor can be:
// by one process at a time, and never left idle while a process waits.

#include "batch_shapes.hpp"
#include "harness.hpp"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

// What one report line says about its process. The fields a program does not print are
// worked out from those it does.
struct finish {
	char name;
	long long arrival;
	long long burst;
	long long completion;
};

// The shape of a family of random batches: most processes, priorities, earliest and
// latest arrival, shortest and longest burst.
using shape = family;

// Names of every kind the one-character readers take; a few of them are easily mistaken
// for the start of a number.
const std::string name_pool = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-+#";

// A name token of fcfs_sched may run on for many characters, all of them skipped.
constexpr std::size_t longest_name_tail = 10;

// Splits a report into its lines, each a name and `numbers` integers, and checks their
// layout: the name, each number after a single blank, a line feed at the end.
::testing::AssertionResult parse_report(const std::string& out, std::size_t numbers,
                                        std::vector<std::pair<char, std::vector<long long>>>& lines)
{
	std::size_t start = 0;
	while (start < out.size()) {
		const std::size_t end = out.find('\n', start);
		if (end == std::string::npos)
			return ::testing::AssertionFailure() << "the last line has no line feed";
		const std::string line = out.substr(start, end - start);
		start = end + 1;
		std::vector<long long> values;
		std::string rebuilt(1, line.empty() ? '?' : line[0]);
		for (std::size_t at = 1; at < line.size() && line[at] == ' ';) {
			std::size_t used = 0;
			values.push_back(std::stoll(line.substr(at + 1), &used));
			rebuilt += ' ';
			rebuilt += std::to_string(values.back());
			at += 1 + used;
		}
		if (values.size() != numbers || rebuilt != line)
			return ::testing::AssertionFailure() << "malformed report line: " << line;
		lines.emplace_back(line[0], values);
	}
	return ::testing::AssertionSuccess();
}

// Every process is reported exactly once, with the name, arrival and burst it came with.
::testing::AssertionResult each_process_once(const std::vector<process>& b, const std::vector<finish>& finishes)
{
	std::vector<std::tuple<char, long long, long long>> given;
	std::vector<std::tuple<char, long long, long long>> reported;
	for (const process& p : b)
		given.emplace_back(p.name, p.arrival, p.burst);
	for (const finish& f : finishes)
		reported.emplace_back(f.name, f.arrival, f.burst);
	std::sort(given.begin(), given.end());
	std::sort(reported.begin(), reported.end());
	if (given == reported)
		return ::testing::AssertionSuccess();
	return ::testing::AssertionFailure() << "the reported processes are not the ones given";
}

// One processor serves one process at a time: whatever arrived at or after `from` and was
// done by `to` cannot have needed more than the time between them.
::testing::AssertionResult one_at_a_time(const std::vector<finish>& finishes)
{
	for (const finish& first : finishes) {
		for (const finish& last : finishes) {
			const long long from = first.arrival;
			const long long to = last.completion;
			long long work = 0;
			for (const finish& f : finishes)
				if (f.arrival >= from && f.completion <= to)
					work += f.burst;
			if (work > 0 && work > to - from)
				return ::testing::AssertionFailure()
				       << work << " units of work done between " << from << " and " << to;
		}
	}
	return ::testing::AssertionSuccess();
}

// A processor that never idles while a process waits is busy from the earliest arrival
// until all that has arrived is done: the busy stretches, and so the time at which each
// of them ends, follow from the arrivals and bursts alone, whatever the order of service.
// At each such end a process finishes, and every process of the stretch is done.
::testing::AssertionResult never_idle_while_waiting(const std::vector<finish>& finishes)
{
	std::vector<finish> by_arrival = finishes;
	std::sort(by_arrival.begin(), by_arrival.end(),
	          [](const finish& a, const finish& b) { return a.arrival < b.arrival; });
	std::size_t stretch_start = 0;
	long long busy_until = by_arrival.front().arrival;
	for (std::size_t i = 0; i <= by_arrival.size(); i++) {
		if (i < by_arrival.size() && by_arrival[i].arrival <= busy_until) {
			busy_until += by_arrival[i].burst;
			continue;
		}
		bool one_ends_there = false;
		for (std::size_t j = stretch_start; j < i; j++) {
			if (by_arrival[j].completion > busy_until)
				return ::testing::AssertionFailure()
				       << by_arrival[j].name << " finishes at " << by_arrival[j].completion
				       << ", after its busy stretch ends at " << busy_until;
			one_ends_there = one_ends_there || by_arrival[j].completion == busy_until;
		}
		if (!one_ends_there)
			return ::testing::AssertionFailure() << "no process finishes when the busy stretch ends at "
			                                     << busy_until;
		if (i < by_arrival.size()) {
			stretch_start = i;
			busy_until = by_arrival[i].arrival + by_arrival[i].burst;
		}
	}
	return ::testing::AssertionSuccess();
}

// The FCFS programs run the processes back to back from time 0 in order of arrival: the
// report comes in non-decreasing arrival order, each completion the sum of the bursts so
// far. Names are distinct, so each line tells which process it is.
::testing::AssertionResult back_to_back_by_arrival(const std::vector<process>& b, const std::vector<finish>& finishes)
{
	std::map<char, process> given;
	for (const process& p : b)
		given[p.name] = p;
	long long clock = 0;
	long long latest_arrival = INT32_MIN;
	for (const finish& f : finishes) {
		const process& p = given.at(f.name);
		clock += p.burst;
		if (f.completion != clock)
			return ::testing::AssertionFailure() << f.name << " completes at " << f.completion
			                                     << ", not at the sum of the bursts so far, " << clock;
		if (p.arrival < latest_arrival)
			return ::testing::AssertionFailure() << f.name << " arrives at " << p.arrival
			                                     << ", before one reported ahead of it";
		latest_arrival = p.arrival;
	}
	return ::testing::AssertionSuccess();
}

// "name completion turnaround waiting", turnaround measured from the arrival.
std::vector<finish> priority_finishes(const std::vector<std::pair<char, std::vector<long long>>>& lines)
{
	std::vector<finish> finishes;
	for (const auto& [name, v] : lines) {
		const long long completion = v[0], turnaround = v[1], waiting = v[2];
		finishes.push_back({name, completion - turnaround, turnaround - waiting, completion});
	}
	return finishes;
}

// "name arrival burst completion turnaround waiting".
std::vector<finish> srtf_finishes(const std::vector<std::pair<char, std::vector<long long>>>& lines)
{
	std::vector<finish> finishes;
	for (const auto& [name, v] : lines) {
		const long long arrival = v[0], burst = v[1], completion = v[2], turnaround = v[3], waiting = v[4];
		EXPECT_EQ(completion - turnaround, arrival) << name;
		EXPECT_EQ(turnaround - burst, waiting) << name;
		finishes.push_back({name, arrival, burst, completion});
	}
	return finishes;
}

// "name completion turnaround waiting", turnaround measured from time 0, so the arrival
// is not in the line: it is left at 0 and filled in by the caller from the name.
std::vector<finish> fcfs_finishes(const std::vector<std::pair<char, std::vector<long long>>>& lines)
{
	std::vector<finish> finishes;
	for (const auto& [name, v] : lines) {
		const long long completion = v[0], turnaround = v[1], waiting = v[2];
		EXPECT_EQ(turnaround, completion) << name;
		finishes.push_back({name, 0, turnaround - waiting, completion});
	}
	return finishes;
}

using report_reader = std::vector<finish> (*)(const std::vector<std::pair<char, std::vector<long long>>>&);

struct scheduler {
	std::string path;
	batch_rules input; // how the program reads a record
	std::size_t numbers_per_line;
	report_reader read_report;
};

const scheduler priority_sched{PRIORITY_SCHED, {.priorities = true}, 3, priority_finishes};
const scheduler srtf_sched{SRTF_SCHED, {}, 5, srtf_finishes};
const scheduler fcfs_sched{FCFS_SCHED, {.name_tokens = true, .longest_name_tail = longest_name_tail}, 3, fcfs_finishes};
const scheduler fcfs_fixed{FCFS_FIXED, {}, 3, fcfs_finishes};

// Runs `batches` random batches of one shape and hands each batch with its report to
// `check`, stopping at the first batch that fails.
template <typename Check>
void for_random_batches(const scheduler& s, std::uint32_t seed, const shape& family, int batches,
                        bool distinct_names, Check check)
{
	// One failing batch is enough to look at.
	if (::testing::Test::HasFailure())
		return;
	shape named = family;
	named.names = name_pool;
	// Distinct names tell the processes apart in a report; otherwise a few names are
	// shared among all.
	named.distinct_names = distinct_names;
	named.names_in_batch = distinct_names ? 0 : 4;
	seeded_choices choices(seed);
	for (int i = 0; i < batches; i++) {
		const std::vector<process> b = draw_family(choices, named);
		const std::string input = batch_text(choices, b, s.input, spelling::spaced);
		const run_result r = run_program(s.path, input);
		ASSERT_EQ(r.status, 0) << input << r.err;
		ASSERT_EQ(r.err, "") << input;
		std::vector<std::pair<char, std::vector<long long>>> lines;
		ASSERT_TRUE(parse_report(r.out, s.numbers_per_line, lines)) << input;
		std::vector<finish> finishes = s.read_report(lines);
		ASSERT_FALSE(::testing::Test::HasFailure()) << input << r.out;
		check(b, finishes, input + "report:\n" + r.out);
		if (::testing::Test::HasFailure())
			return;
	}
}

void expect_preemptive_invariants(const scheduler& s, std::uint32_t seed, const shape& family, int batches)
{
	for_random_batches(s, seed, family, batches, false,
	                   [](const std::vector<process>& b, const std::vector<finish>& finishes, const std::string& trace) {
		                   EXPECT_TRUE(each_process_once(b, finishes)) << trace;
		                   EXPECT_TRUE(one_at_a_time(finishes)) << trace;
		                   EXPECT_TRUE(never_idle_while_waiting(finishes)) << trace;
	                   });
}

void expect_fcfs_invariants(const scheduler& s, std::uint32_t seed, const shape& family, int batches)
{
	for_random_batches(s, seed, family, batches, true,
	                   [](const std::vector<process>& b, std::vector<finish> finishes, const std::string& trace) {
		                   for (finish& f : finishes)
			                   for (const process& p : b)
				                   if (p.name == f.name)
					                   f.arrival = p.arrival;
		                   EXPECT_TRUE(each_process_once(b, finishes)) << trace;
		                   EXPECT_TRUE(back_to_back_by_arrival(b, finishes)) << trace;
	                   });
}

// Families of batches with bursts of at least 1, from crowds of ties to idle gaps,
// negative arrivals and long bursts.
const shape crowded_ties{8, 2, 0, 4, 1, 4};
const shape idle_gaps{10, 3, -20, 60, 1, 6};
const shape long_bursts{16, 4, 0, 300, 1, 500};
const shape many_processes{40, 2, 0, 40, 1, 20};

TEST(PrioritySchedInvariants, EachProcessOnceOneAtATimeNeverIdleWhileOneWaits)
{
	expect_preemptive_invariants(priority_sched, 11, crowded_ties, 50);
	expect_preemptive_invariants(priority_sched, 12, idle_gaps, 40);
	expect_preemptive_invariants(priority_sched, 13, long_bursts, 25);
	expect_preemptive_invariants(priority_sched, 14, many_processes, 12);
}

TEST(SrtfSchedInvariants, EachProcessOnceOneAtATimeNeverIdleWhileOneWaits)
{
	expect_preemptive_invariants(srtf_sched, 21, crowded_ties, 50);
	expect_preemptive_invariants(srtf_sched, 22, idle_gaps, 40);
	expect_preemptive_invariants(srtf_sched, 23, long_bursts, 25);
	expect_preemptive_invariants(srtf_sched, 24, many_processes, 12);
}

TEST(SrtfSchedInvariants, ZeroAndNegativeBurstsStillComeBackOnceAndUnchanged)
{
	for_random_batches(srtf_sched, 25, {10, 1, -5, 20, -6, 3}, 40, false,
	                   [](const std::vector<process>& b, const std::vector<finish>& finishes, const std::string& trace) {
		                   EXPECT_TRUE(each_process_once(b, finishes)) << trace;
	                   });
}

// Zero and negative bursts are kept by both FCFS programs; the running sum takes them as
// they are.
const shape fcfs_crowd{12, 1, 0, 5, -3, 9};
const shape fcfs_spread{60, 1, -1000, 1000, 0, 100000};

TEST(FcfsSchedInvariants, EachProcessOnceBackToBackInArrivalOrder)
{
	expect_fcfs_invariants(fcfs_sched, 31, fcfs_crowd, 50);
	expect_fcfs_invariants(fcfs_sched, 32, fcfs_spread, 25);
}

TEST(FcfsFixedInvariants, EachProcessOnceBackToBackInArrivalOrder)
{
	expect_fcfs_invariants(fcfs_fixed, 41, fcfs_crowd, 50);
	expect_fcfs_invariants(fcfs_fixed, 42, fcfs_spread, 25);
}

} // namespace
