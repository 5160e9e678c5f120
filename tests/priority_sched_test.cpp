// priority_sched: its two orderings on their own, then the program from the outside.

#include "harness.hpp"
#include "cycles.hpp"
#include "exchange_arrangement.hpp"
#include "fixed_front.hpp"
#include "key_sequences.hpp"
#include "orderings.hpp"
#include "ready_range.hpp"

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

using namespace priority_sched;

namespace {

const std::string program = PRIORITY_SCHED;

// A process table small enough to write out in a test. Slot i starts with burst 100+i
// and remaining 200+i, so every column shows where its slot went.
struct table {
	std::string name;
	std::vector<std::int32_t> priority;
	std::vector<std::int32_t> arrival;
	std::vector<std::int32_t> burst;
	std::vector<std::int32_t> remaining;

	table(std::string names, std::vector<std::int32_t> priorities, std::vector<std::int32_t> arrivals)
	    : name(std::move(names)), priority(std::move(priorities)), arrival(std::move(arrivals))
	{
		for (std::size_t i = 0; i < name.size(); i++) {
			burst.push_back(static_cast<std::int32_t>(100 + i));
			remaining.push_back(static_cast<std::int32_t>(200 + i));
		}
	}

	void by_arrival(std::int32_t start, std::int32_t end)
	{
		arrival_sort(arrival.data(), remaining.data(), start, end, name.data(), burst.data(), priority.data());
	}

	void by_priority(std::int32_t start, std::int32_t end)
	{
		priority_sort(arrival.data(), remaining.data(), start, end, name.data(), burst.data(), priority.data());
	}
};

// Every column of the slot now named `name[i]` still belongs to that process.
void expect_slots_whole(const table& before, const table& after)
{
	for (std::size_t i = 0; i < after.name.size(); i++) {
		const std::size_t from = before.name.find(after.name[i]);
		ASSERT_NE(from, std::string::npos);
		EXPECT_EQ(after.priority[i], before.priority[from]) << after.name[i];
		EXPECT_EQ(after.arrival[i], before.arrival[from]) << after.name[i];
		EXPECT_EQ(after.burst[i], before.burst[from]) << after.name[i];
		EXPECT_EQ(after.remaining[i], before.remaining[from]) << after.name[i];
	}
}

TEST(PrioritySchedOrderings, ArrivalSortIsNotStable)
{
	table t("ABC", {7, 8, 9}, {1, 1, 0});
	const table before = t;
	t.by_arrival(0, 3);
	EXPECT_EQ(t.name, "CBA");
	expect_slots_whole(before, t);
}

TEST(PrioritySchedOrderings, PrioritySortWorkedExample)
{
	table t("XYZW", {3, 2, 3, 1}, {0, 1, 2, 3});
	const table before = t;
	t.by_priority(0, 4);
	EXPECT_EQ(t.name, "WYZX");
	expect_slots_whole(before, t);
}

TEST(PrioritySchedOrderings, NegativeKeysComeFirst)
{
	table t("ABCD", {0, -1, 5, -2147483647 - 1}, {2, -1, 0, 2147483647});
	t.by_priority(0, 4);
	EXPECT_EQ(t.name, "DBAC");
	t.by_arrival(0, 4);
	EXPECT_EQ(t.name, "BCAD");
}

TEST(PrioritySchedOrderings, RangesOfZeroAndOneSlotAreLeftAlone)
{
	table t("BA", {2, 1}, {2, 1});
	for (const auto& [start, end] : {std::pair{0, 0}, {1, 1}, {0, 1}, {1, 2}, {2, 2}}) {
		t.by_arrival(start, end);
		t.by_priority(start, end);
		EXPECT_EQ(t.name, "BA") << start << ".." << end;
	}
}

TEST(PrioritySchedOrderings, OnlyTheRangeMoves)
{
	table t("EDCBA", {5, 4, 3, 2, 1}, {5, 4, 3, 2, 1});
	const table before = t;
	t.by_priority(1, 4);
	EXPECT_EQ(t.name, "EBCDA");
	expect_slots_whole(before, t);
	t.by_arrival(2, 5);
	EXPECT_EQ(t.name, "EBACD");
	expect_slots_whole(before, t);
}

TEST(PrioritySchedOrderings, AnOrderedRangeStaysAsItIs)
{
	table t("PQRS", {1, 1, 2, 2}, {4, 3, 2, 1});
	for (int round = 0; round < 3; round++) {
		t.by_priority(0, 4);
		EXPECT_EQ(t.name, "PQRS");
	}
}

// Where the loop ends up leaving each item of `key`, read off the remaining column.
std::vector<std::int32_t> loop_arrangement(const std::vector<std::int32_t>& key)
{
	const auto n = static_cast<std::int32_t>(key.size());
	table t(std::string(key.size(), 'x'), key, key);
	for (std::int32_t i = 0; i < n; i++)
		t.remaining[static_cast<std::size_t>(i)] = i;
	t.by_priority(0, n);
	return t.remaining;
}

// Long ranges are moved straight to the arrangement the loop would leave; that is only
// sound if it is the same arrangement for every sequence of keys.
TEST(PrioritySchedOrderings, LongRangesGetTheLoopsArrangement)
{
	for_every_key_sequence(7, 3, [](const std::vector<std::int32_t>& key) {
		ASSERT_EQ(exchange_arrangement(key), loop_arrangement(key)) << ::testing::PrintToString(key);
	});
	// Random sequences: few values and many, runs of smaller keys between the members of
	// a group, and more groups than are counted one by one.
	std::mt19937 rng(17);
	const std::uint32_t values_per_round[] = {2, 5, 60, 100000};
	for (std::uint32_t round = 0; round < 2000; round++) {
		std::vector<std::int32_t> key(rng() % 600);
		const std::uint32_t values = values_per_round[round % 4];
		for (std::size_t i = 0; i < key.size(); i++)
			key[i] = round % 8 == 7 && i % 40 == 0 ? 99 : static_cast<std::int32_t>(rng() % values) - 7;
		ASSERT_EQ(exchange_arrangement(key), loop_arrangement(key)) << "round " << round;
	}
	// About half as many smaller keys before each member of a large group as it has
	// members already: each member turns the group half way round. Among a few groups
	// the queues move through memory; among many (the forty pairs at the end) walking
	// the circle costs too much and it is rebuilt from where the members were put.
	for (std::uint32_t round = 0; round < 10; round++) {
		std::vector<std::int32_t> key;
		const std::uint32_t members = 80 + static_cast<std::uint32_t>(rng() % 40);
		for (std::uint32_t member = 0; member < members; member++) {
			for (std::uint32_t smaller = member / 2 + static_cast<std::uint32_t>(rng() % 7); smaller > 0; smaller--)
				key.push_back(static_cast<std::int32_t>(rng() % 3));
			key.push_back(round % 2 == 0 ? 9 : 9 + static_cast<std::int32_t>(rng() % 2));
		}
		for (std::int32_t pair = 0; round >= 4 && pair < 80; pair++)
			key.push_back(100 + pair / 2);
		ASSERT_EQ(exchange_arrangement(key), loop_arrangement(key)) << "round " << round;
	}
}

// The ranks of the values, by a table where their span is narrow and by a sort where it is
// wide, are what sorting out the distinct values and counting those below gives.
TEST(PrioritySchedOrderings, DenseRanksCountTheSmallerDistinctValues)
{
	std::mt19937 rng(43);
	const long long spans[] = {1, 3, 50, 1000, 100000000, 4294967296LL};
	for (int round = 0; round < 600; round++) {
		const long long span = spans[round % 6];
		const long long lowest = round % 4 == 0 ? -2147483648LL : -static_cast<long long>(rng() % 1000);
		std::vector<std::int32_t> values(rng() % 3000 + (round % 6 == 5 ? 0 : 1));
		for (std::int32_t& value : values) {
			const long long offset = static_cast<long long>((static_cast<std::uint64_t>(rng()) << 32 | rng()) %
			                                                static_cast<std::uint64_t>(span));
			value = static_cast<std::int32_t>(std::min(lowest + offset, 2147483647LL));
		}
		std::vector<std::int32_t> distinct = values;
		std::sort(distinct.begin(), distinct.end());
		distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
		std::vector<std::int32_t> expected;
		for (const std::int32_t value : values)
			expected.push_back(static_cast<std::int32_t>(
			        std::lower_bound(distinct.begin(), distinct.end(), value) - distinct.begin()));
		ASSERT_EQ(dense_ranks(values), expected) << "round " << round;
	}
}

// A ready range over one process per key, all arrived at 0, the keys of both orderings
// the same so that either ordering can be read off the process numbers.
process_table table_of_keys(const std::vector<std::int32_t>& key, const std::vector<std::int32_t>& arrival)
{
	process_table t;
	for (std::size_t i = 0; i < key.size(); i++) {
		t.name.push_back('x');
		t.priority.push_back(key[i]);
		t.arrival.push_back(arrival[i]);
		t.burst.push_back(1000);
		t.remaining.push_back(1000);
		t.record.push_back(static_cast<std::int32_t>(i) + 1);
	}
	return t;
}

// A short ready range is ordered by the exchange loop on its process numbers, each key
// read through its process: the same arrangement as the loop on the keys themselves,
// for every key sequence up to the longest such range.
TEST(PrioritySchedEngine, ShortRangesAreOrderedInPlaceAsByTheLoop)
{
	auto expect_the_loops = [](const std::vector<std::int32_t>& key) {
		// Arrivals all 0, so that the range is admitted at once in process order.
		const process_table t = table_of_keys(key, std::vector<std::int32_t>(key.size(), 0));
		ready_range ready(t, 0);
		ready.admit(0);
		ready.order_by_priority();
		const std::vector<std::int32_t> order(ready.order().begin(), ready.order().end());
		ASSERT_EQ(order, loop_arrangement(key)) << ::testing::PrintToString(key);
	};
	for_every_key_sequence(7, 3, expect_the_loops);
	std::mt19937 rng(37);
	for (int round = 0; round < 3000; round++) {
		std::vector<std::int32_t> key(rng() % (longest_range_for_the_loops + 1));
		for (std::int32_t& k : key)
			k = static_cast<std::int32_t>(rng() % (round % 2 == 0 ? 4 : 1000)) - 2;
		expect_the_loops(key);
	}
}

// Where no two processes of a range share an arrival, a whole stretch is one priority
// ordering: the arrival ordering leaves one arrangement whatever it is given, so every
// step runs the same process and leaves the range as the first step's priority ordering
// does. Held against the steps themselves, from every order of every short range of
// distinct arrivals with ties of priority, and from random orders of long ones.
TEST(PrioritySchedEngine, DistinctArrivalsMakeEveryStepTheSame)
{
	// Process i arrives at 7i, as the table stands after the first arrival ordering.
	auto table_of = [](const std::vector<std::int32_t>& priority) {
		std::vector<std::int32_t> arrival(priority.size());
		for (std::size_t i = 0; i < arrival.size(); i++)
			arrival[i] = static_cast<std::int32_t>(7 * i);
		return table_of_keys(priority, arrival);
	};
	auto range_of = [](const process_table& t) {
		ready_range ready(t, 0);
		ready.admit(2000000000);
		return ready;
	};
	auto expect_same_steps = [](ready_range stepped, const column<std::int32_t>& start) {
		stepped.rearrange(start);
		stepped.order_by_arrival();
		ASSERT_TRUE(stepped.arrivals_distinct());
		stepped.order_by_priority();
		const column<std::int32_t> after_one = stepped.order();
		for (int step = 0; step < 4; step++) {
			stepped.order_by_arrival();
			stepped.order_by_priority();
			ASSERT_EQ(stepped.order(), after_one) << ::testing::PrintToString(start);
		}
	};
	for_every_key_sequence(6, 3, [&](const std::vector<std::int32_t>& priority) {
		const process_table t = table_of(priority);
		const ready_range ready = range_of(t);
		column<std::int32_t> start = ready.order();
		do
			expect_same_steps(ready, start);
		while (std::next_permutation(start.begin(), start.end()));
	});
	std::mt19937 rng(41);
	for (int round = 0; round < 300; round++) {
		std::vector<std::int32_t> priority(rng() % 200);
		for (std::int32_t& p : priority)
			p = static_cast<std::int32_t>(rng() % 5);
		const process_table t = table_of(priority);
		const ready_range ready = range_of(t);
		column<std::int32_t> start = ready.order();
		std::shuffle(start.begin(), start.end(), rng);
		expect_same_steps(ready, start);
	}
}

// Behind a front that neither ordering moves, any number of steps is taken at once, from
// one front to the next: each take must leave the range exactly as the orderings do,
// step by step. Crowds of a few priorities and arrivals, their keys coming round after
// tens to thousands of steps, taken a few steps at a time and many cycles at a time.
TEST(PrioritySchedEngine, StepsBehindAFixedFrontAreTheOrderingsSteps)
{
	std::mt19937 rng(29);
	long long jumps = 0;
	for (int crowd = 0; crowd < 150; crowd++) {
		process_table t;
		const auto processes = static_cast<std::int32_t>(10 + rng() % 50);
		const auto priorities = static_cast<std::uint32_t>(2 + rng() % 3);
		const auto arrivals = static_cast<std::uint32_t>(2 + rng() % 5);
		for (std::int32_t i = 0; i < processes; i++) {
			t.name.push_back('x');
			t.priority.push_back(static_cast<std::int32_t>(rng() % priorities));
			t.arrival.push_back(static_cast<std::int32_t>(rng() % arrivals));
			t.burst.push_back(1);
			t.remaining.push_back(1);
			t.record.push_back(i + 1);
		}
		t.order_by_arrival(0, processes);
		// The first in arrival order takes the smallest priority too: a fixed front.
		t.priority[0] = 0;
		ready_range taken(t, 0);
		taken.admit(static_cast<long long>(arrivals));
		taken.order_by_arrival();
		ready_range stepped = taken;
		progress_meter unseen(nullptr, 0, 0);
		fixed_front_steps behind;
		behind.start(taken);
		for (std::int32_t slot = 0; taken.size() > 1 && taken.front_is_fixed(); slot++) {
			for (int take = 0; take < 4; take++) {
				const auto steps = static_cast<long long>(1 + rng() % (take % 2 == 0 ? 40 : 3000));
				behind.take(taken, steps, 0, 0, unseen);
				for (long long step = 0; step < steps; step++) {
					stepped.order_by_priority();
					stepped.order_by_arrival();
				}
				ASSERT_EQ(taken.order(), stepped.order()) << "crowd " << crowd << ", front " << slot;
			}
			ASSERT_EQ(taken.finish_front(), stepped.finish_front());
			behind.front_left(taken);
		}
		jumps += behind.jumps_taken();
	}
	EXPECT_GT(jumps, 1000);
}

// However long a stretch goes on without its keys coming round, the cycle finder holds
// no more at its 300,000th step than at its 3,000th: its checkpoints keep within their
// bound, and who ran is kept only while the trace that hears of it has room.
TEST(PrioritySchedEngine, CycleFinderMemoryDoesNotGrowWithTheStretch)
{
	process_table t;
	for (std::int32_t i = 0; i < 12; i++) {
		t.name.push_back('x');
		t.priority.push_back(i);
		t.arrival.push_back(0);
		t.burst.push_back(2000000000);
		t.remaining.push_back(2000000000);
		t.record.push_back(i + 1);
	}
	sched::run_trace trace;
	trace.most_segments = 50;
	ready_range ready(t, 0, trace);
	ready.admit(0);
	cycle_finder finder(ready.processes());
	finder.start(ready);
	std::mt19937 rng(31);
	column<std::int32_t> order = ready.order();
	std::size_t held_early = 0;
	for (long long step = 0; step < 300000; step++) {
		if (step == 3000)
			held_early = finder.bytes_held();
		finder.found(ready);
		ready.run(ready.process_at(0), step, 1);
		finder.ran(ready);
		std::shuffle(order.begin(), order.end(), rng);
		ready.rearrange(order);
	}
	EXPECT_TRUE(trace.cut_short());
	EXPECT_EQ(finder.bytes_held(), held_early);
}

TEST(PrioritySchedSchedule, PreemptionByMoreUrgentArrivals)
{
	EXPECT_TRUE(reports(program, "5\nA 3 0 4\nB 1 1 3\nC 4 2 2\nD 2 3 1\nE 5 4 2\n",
	                    "B 4 3 0\nD 5 2 1\nA 8 8 4\nC 10 8 6\nE 12 8 6\n"));
	EXPECT_TRUE(reports(program, "4\nA 4 0 5\nB 3 1 4\nC 2 2 2\nD 1 6 1\n",
	                    "C 4 2 0\nD 7 1 0\nB 8 7 3\nA 12 12 7\n"));
}

TEST(PrioritySchedSchedule, IdleGapBetweenArrivals)
{
	EXPECT_TRUE(reports(program, "3\nA 2 0 2\nB 1 5 3\nC 3 6 1\n", "A 2 2 0\nB 8 3 0\nC 9 3 2\n"));
}

TEST(PrioritySchedSchedule, FirstTickIgnoresPriorities)
{
	EXPECT_TRUE(reports(program, "3\nA 3 0 2\nB 1 0 2\nC 2 0 2\n", "B 3 3 1\nC 5 5 3\nA 6 6 4\n"));
}

TEST(PrioritySchedSchedule, FinishInTheFirstTickIsReportedFirst)
{
	EXPECT_TRUE(reports(program, "3\nA 2 0 1\nB 1 0 2\nC 3 1 2\n", "A 1 1 0\nB 3 3 1\nC 5 4 2\n"));
}

TEST(PrioritySchedSchedule, SingleProcess)
{
	EXPECT_TRUE(reports(program, "1\nX 5 3 4\n", "X 7 4 0\n"));
	EXPECT_TRUE(reports(program, "1\nX 5 3 1\n", "X 4 1 0\n"));
}

TEST(PrioritySchedTies, EqualPrioritiesKeepTheEarlierArrivalAhead)
{
	EXPECT_TRUE(reports(program, "3\nA 1 0 3\nB 1 0 3\nC 1 1 2\n", "A 3 3 0\nB 6 6 3\nC 8 7 5\n"));
}

TEST(PrioritySchedTies, InitialArrivalOrderingIsNotStable)
{
	EXPECT_TRUE(reports(program, "3\nA 2 1 1\nB 2 1 1\nC 2 0 1\n", "C 1 1 0\nB 2 1 0\nA 3 2 1\n"));
}

TEST(PrioritySchedTies, FinalOrderingMovesATiedProcessBack)
{
	EXPECT_TRUE(reports(program, "4\nX 3 0 2\nY 2 0 2\nZ 3 0 2\nW 1 1 2\n",
	                    "W 3 2 0\nY 5 5 3\nZ 7 7 5\nX 8 8 6\n"));
}

TEST(PrioritySchedLayout, NegativeArrivals)
{
	EXPECT_TRUE(reports(program, "2\nA 2 -3 2\nB 1 -2 2\n", "B 0 2 0\nA 1 4 2\n"));
}

TEST(PrioritySchedLayout, NameMayTouchThePriority)
{
	EXPECT_TRUE(reports(program, "2\nA1 0 3\nB0 1 2\n", "B 3 2 0\nA 5 5 2\n"));
	EXPECT_TRUE(reports(program, "1\nA12 0 3\n", "A 3 3 0\n"));
}

TEST(PrioritySchedLayout, AnyWhiteSpaceSeparatesTheItems)
{
	const std::string expected = "B 4 3 0\nD 5 2 1\nA 8 8 4\nC 10 8 6\nE 12 8 6\n";
	EXPECT_TRUE(reports(program, "5 A 3 0 4 B 1 1 3 C 4 2 2 D 2 3 1 E 5 4 2", expected));
	EXPECT_TRUE(reports(program, "5\r\nA 3 0 4\r\nB 1 1 3\r\nC 4 2 2\r\nD 2 3 1\r\nE 5 4 2\r\n", expected));
	EXPECT_TRUE(reports(program, "5\tA\t3\t0\t4\n\nB 1 1 3\vC 4 2 2\fD 2 3 1 E 5 4 2 and more", expected));
}

TEST(PrioritySchedLayout, DigitsAndPunctuationAsNames)
{
	EXPECT_TRUE(reports(program, "2\n1 2 0 2\n# 1 0 1\n", "# 2 2 1\n1 3 3 1\n"));
}

TEST(PrioritySchedCounts, ZeroCountPrintsNothing)
{
	EXPECT_TRUE(reports(program, "0\n", ""));
	EXPECT_TRUE(reports(program, "0\nA 1 2 3\n", ""));
}

TEST(PrioritySchedLargeValues, FarApartArrivalsAreNotSteppedThrough)
{
	std::string input = "41\nA 0 0 5\n";
	std::string expected = "A 5 5 0\n";
	long long clock = 2000000000;
	for (int i = 0; i < 40; i++) {
		const char name = static_cast<char>('a' + i % 26);
		input += std::string(1, name) + " " + std::to_string(i) + " 2000000000 1000000\n";
		clock += 1000000;
		expected += std::string(1, name) + " " + std::to_string(clock) + " " +
		            std::to_string(clock - 2000000000) + " " + std::to_string(clock - 2001000000) + "\n";
	}
	EXPECT_TRUE(reports(program, input, expected));
}

TEST(PrioritySchedLargeValues, LongBurstsAcrossTheWholeRange)
{
	EXPECT_TRUE(reports(program, "3\nA 1 -2147483648 2147483647\nB 0 2147483647 2147483647\nC 1 0 1\n",
	                    "A -1 2147483647 0\nC 1 1 0\nB 4294967294 2147483647 0\n"));
	EXPECT_TRUE(reports(program, "3\nA 0 2147483647 2147483647\nB 0 2147483647 2147483647\nC 0 2147483647 2147483647\n",
	                    "A 4294967294 2147483647 0\nB 6442450941 4294967294 2147483647\n"
	                    "C 8589934588 6442450941 4294967294\n"));
}

} // namespace
