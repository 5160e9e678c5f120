// srtf_sched: its two orderings on their own, then the program from the outside.

#include "harness.hpp"
#include "orderings.hpp"

#include <cstdint>
#include <string>
#include <vector>

using namespace srtf_sched;

namespace {

const std::string program = SRTF_SCHED;

// A process table small enough to write out in a test; slot i starts with burst 100+i,
// so the burst column shows where its slot went.
struct table {
	std::vector<std::int32_t> arrival;
	std::vector<long long> remaining;
	std::string name;
	std::vector<std::int32_t> burst;

	table(std::string names, std::vector<std::int32_t> arrivals, std::vector<long long> left)
	    : arrival(std::move(arrivals)), remaining(std::move(left)), name(std::move(names))
	{
		for (std::size_t i = 0; i < name.size(); i++)
			burst.push_back(static_cast<std::int32_t>(100 + i));
	}

	void by_arrival(std::int32_t start, std::int32_t end)
	{
		arrival_sort(arrival.data(), remaining.data(), start, end, name.data(), burst.data());
	}

	void by_remaining(std::int32_t start, std::int32_t end)
	{
		burst_sort(arrival.data(), remaining.data(), start, end, name.data(), burst.data());
	}
};

void expect_slots_whole(const table& before, const table& after)
{
	for (std::size_t i = 0; i < after.name.size(); i++) {
		const std::size_t from = before.name.find(after.name[i]);
		ASSERT_NE(from, std::string::npos);
		EXPECT_EQ(after.arrival[i], before.arrival[from]) << after.name[i];
		EXPECT_EQ(after.remaining[i], before.remaining[from]) << after.name[i];
		EXPECT_EQ(after.burst[i], before.burst[from]) << after.name[i];
	}
}

TEST(SrtfSchedOrderings, ArrivalSortIsStable)
{
	table t("ABCD", {3, 1, 3, 0}, {5, 2, 4, 7});
	const table before = t;
	t.by_arrival(0, 4);
	EXPECT_EQ(t.name, "DBAC");
	expect_slots_whole(before, t);
}

TEST(SrtfSchedOrderings, BurstSortKeysOnRemainingWithinItsRange)
{
	table t("ABCDE", {0, 1, 2, 3, 4}, {4, 2, 9, 2, 1});
	t.burst = {4, 5, 9, 2, 1};
	const table before = t;
	t.by_remaining(1, 4);
	EXPECT_EQ(t.name, "ABDCE");
	expect_slots_whole(before, t);
}

TEST(SrtfSchedOrderings, EqualKeysKeepTheirOrder)
{
	table t("ABC", {0, 0, 0}, {3, 3, 1});
	t.by_remaining(0, 3);
	EXPECT_EQ(t.name, "CAB");
}

TEST(SrtfSchedOrderings, RangesOfZeroAndOneSlotAreLeftAlone)
{
	table t("BA", {2, 1}, {2, 1});
	for (const auto& [start, end] : {std::pair{0, 0}, {1, 1}, {0, 1}, {1, 2}, {2, 2}}) {
		t.by_arrival(start, end);
		t.by_remaining(start, end);
		EXPECT_EQ(t.name, "BA") << start << ".." << end;
	}
}

TEST(SrtfSchedOrderings, KeysAreSigned)
{
	table t("ABC", {2, -1, 0}, {-1, 0, -5000000000LL});
	t.by_arrival(0, 3);
	EXPECT_EQ(t.name, "BCA");
	t.by_remaining(0, 3);
	EXPECT_EQ(t.name, "CAB");
}

TEST(SrtfSchedOrderings, FixedPassesSortAFullyReversedRange)
{
	table t("ABCDE", {5, 4, 3, 2, 1}, {1, 2, 3, 4, 5});
	t.by_arrival(0, 5);
	EXPECT_EQ(t.name, "EDCBA");
	t.by_remaining(0, 5);
	EXPECT_EQ(t.name, "ABCDE");
}

TEST(SrtfSchedSchedule, ShortestRemainingRunsFirst)
{
	EXPECT_TRUE(reports(program, "4\nA 0 8\nB 1 4\nC 2 9\nD 3 5\n",
	                    "B 1 4 5 4 0\nD 3 5 10 7 2\nA 0 8 17 17 9\nC 2 9 26 24 15\n"));
	EXPECT_TRUE(reports(program, "3\nA 0 7\nB 2 4\nC 4 1\n", "C 4 1 5 1 0\nB 2 4 7 5 1\nA 0 7 12 12 5\n"));
}

TEST(SrtfSchedSchedule, IdleGaps)
{
	EXPECT_TRUE(reports(program, "3\nA 0 2\nB 5 3\nC 6 1\n", "A 0 2 2 2 0\nC 6 1 7 1 0\nB 5 3 9 4 1\n"));
	EXPECT_TRUE(reports(program, "2\nA 0 1\nB 10 2\n", "A 0 1 1 1 0\nB 10 2 12 2 0\n"));
}

TEST(SrtfSchedSchedule, FirstTickGoesToTheFirstOfTheEarliestArrivals)
{
	EXPECT_TRUE(reports(program, "3\nA 0 5\nB 0 2\nC 0 3\n", "B 0 2 3 3 1\nC 0 3 6 6 3\nA 0 5 10 10 5\n"));
	EXPECT_TRUE(reports(program, "4\nP 0 6\nQ 0 2\nR 1 1\nS 4 3\n",
	                    "R 1 1 2 1 0\nQ 0 2 4 4 2\nS 4 3 7 3 0\nP 0 6 12 12 6\n"));
}

TEST(SrtfSchedSchedule, FinishInTheFirstTick)
{
	EXPECT_TRUE(reports(program, "3\nA 0 1\nB 2 2\nC 3 1\n", "A 0 1 1 1 0\nB 2 2 4 2 0\nC 3 1 5 2 1\n"));
	EXPECT_TRUE(reports(program, "1\nK 3 1\n", "K 3 1 4 1 0\n"));
	EXPECT_TRUE(reports(program, "1\nK 3 4\n", "K 3 4 7 4 0\n"));
}

TEST(SrtfSchedTies, EqualRemainingGoesToTheEarlierArrival)
{
	EXPECT_TRUE(reports(program, "3\nA 0 4\nB 1 3\nC 2 3\n", "A 0 4 4 4 0\nB 1 3 7 6 3\nC 2 3 10 8 5\n"));
	EXPECT_TRUE(reports(program, "2\nA 0 2\nB 0 1\n", "A 0 2 2 2 0\nB 0 1 3 3 2\n"));
}

TEST(SrtfSchedTies, ANewcomerOnlyEqualToTheRunningProcessWaits)
{
	EXPECT_TRUE(reports(program, "2\nA 0 3\nB 1 2\n", "A 0 3 3 3 0\nB 1 2 5 4 2\n"));
}

TEST(SrtfSchedLayout, InputOutOfArrivalOrder)
{
	EXPECT_TRUE(reports(program, "3\nX 4 2\nY 1 3\nZ 1 1\n", "Z 1 1 3 2 1\nY 1 3 5 4 1\nX 4 2 7 3 1\n"));
}

TEST(SrtfSchedLayout, NegativeArrivals)
{
	EXPECT_TRUE(reports(program, "2\nA -3 2\nB -2 1\n", "A -3 2 -1 2 0\nB -2 1 0 2 1\n"));
}

TEST(SrtfSchedLayout, DigitNamesAndNamesTouchingTheArrival)
{
	EXPECT_TRUE(reports(program, "2\n1 0 3\n2 1 2\n", "1 0 3 3 3 0\n2 1 2 5 4 2\n"));
	EXPECT_TRUE(reports(program, "2\nA0 3\nB1 2\n", "A 0 3 3 3 0\nB 1 2 5 4 2\n"));
}

TEST(SrtfSchedLayout, AnyWhiteSpaceSeparatesTheItems)
{
	const std::string expected = "B 1 4 5 4 0\nD 3 5 10 7 2\nA 0 8 17 17 9\nC 2 9 26 24 15\n";
	EXPECT_TRUE(reports(program, "4 A 0 8 B 1 4 C 2 9 D 3 5", expected));
	EXPECT_TRUE(reports(program, "4\r\nA 0 8\r\nB 1 4\r\nC 2 9\r\nD 3 5\r\n", expected));
	EXPECT_TRUE(reports(program, "4\tA\t0\t8\n\nB 1 4\vC 2 9\fD 3 5 not read", expected));
}

TEST(SrtfSchedBursts, ZeroAndNegativeBurstsRunUntilTheFinalPhase)
{
	// B, with nothing left to run, takes every unit from its arrival to the last
	// arrival and finishes first in the final phase, with its time left below zero.
	EXPECT_TRUE(reports(program, "3\nA 0 3\nB 1 0\nC 4 2\n", "B 1 0 1 0 0\nA 0 3 3 3 0\nC 4 2 5 1 -1\n"));
	EXPECT_TRUE(reports(program, "2\nA 0 -5\nB 3 1\n", "A 0 -5 -5 -5 0\nB 3 1 -4 -7 -8\n"));
}

TEST(SrtfSchedCounts, ZeroCountPrintsNothing)
{
	EXPECT_TRUE(reports(program, "0\n", ""));
	EXPECT_TRUE(reports(program, "0 A 1 2", ""));
}

TEST(SrtfSchedLargeValues, LongBurstsAreNotSteppedThrough)
{
	std::string input = "21\n";
	for (int i = 0; i < 20; i++)
		input += std::string(1, static_cast<char>('A' + i)) + " 0 1000000000\n";
	input += "Z 1500000000 1\n";
	// A runs from 0 to 1000000000; B from then until Z arrives at 1500000000 and the
	// final phase takes Z (1 unit), then B (the rest) and C to T in input order.
	std::string expected = "A 0 1000000000 1000000000 1000000000 0\n";
	expected += "Z 1500000000 1 1500000001 1 0\n";
	expected += "B 0 1000000000 2000000001 2000000001 1000000001\n";
	long long clock = 2000000001;
	for (int i = 2; i < 20; i++) {
		clock += 1000000000;
		expected += std::string(1, static_cast<char>('A' + i)) + " 0 1000000000 " + std::to_string(clock) + " " +
		            std::to_string(clock) + " " + std::to_string(clock - 1000000000) + "\n";
	}
	EXPECT_TRUE(reports(program, input, expected));
}

TEST(SrtfSchedLargeValues, NegativeBurstsFarBelowThirtyTwoBits)
{
	EXPECT_TRUE(reports(program, "2\nA -2147483648 -2147483648\nB 2147483647 1\n",
	                    "A -2147483648 -2147483648 -4294967296 -2147483648 0\n"
	                    "B 2147483647 1 -4294967295 -6442450942 -6442450943\n"));
}

} // namespace
