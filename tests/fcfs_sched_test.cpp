// fcfs_sched: the all-pairs ordering on its own, then the program from the outside.

#include "harness.hpp"
#include "sort.hpp"

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace fcfs_sched;

namespace {

const std::string program = FCFS_SCHED;

// Runs `sort` over slots with distinct names and returns the names in slot order,
// after checking that every burst has moved with its name.
std::string sorted_names(const std::string& input_names, std::vector<std::int32_t> arrival)
{
	std::string names = input_names;
	std::vector<std::int32_t> burst(names.size());
	for (std::size_t i = 0; i < burst.size(); i++)
		burst[i] = static_cast<std::int32_t>(i);
	sort(static_cast<std::int32_t>(names.size()), names.data(), arrival.data(), burst.data());
	for (std::size_t i = 0; i < names.size(); i++)
		EXPECT_EQ(input_names.at(static_cast<std::size_t>(burst[i])), names[i]);
	return names;
}

TEST(FcfsSchedSort, EqualArrivalsComeOutInTheOrderOfTheDoubleLoop)
{
	EXPECT_EQ(sorted_names("ABC", {0, 0, 1}), "BAC");
}

TEST(FcfsSchedSort, OrdersSignedArrivals)
{
	EXPECT_EQ(sorted_names("ABCD", {3, -1, 0, -5}), "DBCA");
}

TEST(FcfsSchedSort, MovesTheBurstWithItsSlot)
{
	char name[] = {'P', 'Q', 'R'};
	std::int32_t arrival[] = {3, 1, 2};
	std::int32_t burst[] = {30, 10, 20};
	sort(3, name, arrival, burst);
	EXPECT_EQ(std::string(name, 3), "QRP");
	EXPECT_EQ(burst[0], 10);
	EXPECT_EQ(burst[1], 20);
	EXPECT_EQ(burst[2], 30);
}

TEST(FcfsSchedSort, LeavesSlotsFromTheCountOnAlone)
{
	char name[] = {'B', 'A', 'Z'};
	std::int32_t arrival[] = {5, 1, -9};
	std::int32_t burst[] = {1, 2, 3};
	sort(2, name, arrival, burst);
	EXPECT_EQ(std::string(name, 3), "ABZ");
	EXPECT_EQ(arrival[2], -9);
	EXPECT_EQ(burst[2], 3);
}

TEST(FcfsSchedSort, CountsOfZeroAndOneChangeNothing)
{
	char name[] = {'B', 'A'};
	std::int32_t arrival[] = {5, 1};
	std::int32_t burst[] = {1, 2};
	sort(0, name, arrival, burst);
	sort(1, name, arrival, burst);
	EXPECT_EQ(std::string(name, 2), "BA");
}

// The all-pairs ordering written out literally, every pair exchanged in place.
void literal_all_pairs(std::vector<char>& name, std::vector<std::int32_t>& arrival, std::vector<std::int32_t>& burst)
{
	for (std::size_t i = 0; i < name.size(); i++)
		for (std::size_t j = 0; j < name.size(); j++)
			if (arrival[i] < arrival[j]) {
				std::swap(name[i], name[j]);
				std::swap(arrival[i], arrival[j]);
				std::swap(burst[i], burst[j]);
			}
}

TEST(FcfsSchedSort, AgreesWithTheLiteralDoubleLoopOnRandomTables)
{
	std::mt19937 rng(7);
	for (int round = 0; round < 500; round++) {
		const auto slots = std::uniform_int_distribution<std::size_t>(0, 40)(rng);
		const int spread = std::uniform_int_distribution<int>(1, 12)(rng);
		std::vector<char> name;
		std::vector<std::int32_t> arrival, burst;
		for (std::size_t i = 0; i < slots; i++) {
			name.push_back(static_cast<char>('A' + i % 26));
			arrival.push_back(std::uniform_int_distribution<std::int32_t>(-spread, spread)(rng));
			burst.push_back(static_cast<std::int32_t>(i));
		}
		auto expected_name = name;
		auto expected_arrival = arrival;
		auto expected_burst = burst;
		literal_all_pairs(expected_name, expected_arrival, expected_burst);
		sort(static_cast<std::int32_t>(slots), name.data(), arrival.data(), burst.data());
		ASSERT_EQ(burst, expected_burst) << "round " << round;
		ASSERT_EQ(arrival, expected_arrival) << "round " << round;
		ASSERT_EQ(name, expected_name) << "round " << round;
	}
}

TEST(FcfsSchedOrder, DispatchesByArrivalBackToBack)
{
	EXPECT_TRUE(reports(program, "3\nA 0 5\nB 2 3\nC 1 2\n", "A 5 5 0\nC 7 7 5\nB 10 10 7\n"));
	EXPECT_TRUE(reports(program, "4\nP 3 4\nQ 1 2\nR 3 1\nS 1 5\n",
	                    "Q 2 2 0\nS 7 7 2\nR 8 8 7\nP 12 12 8\n"));
}

TEST(FcfsSchedOrder, LateArrivalLeavesNoIdleTime)
{
	EXPECT_TRUE(reports(program, "2\nX 0 2\nY 10 3\n", "X 2 2 0\nY 5 5 2\n"));
}

TEST(FcfsSchedOrder, EqualArrivalsFollowTheAllPairsOrdering)
{
	EXPECT_TRUE(reports(program, "3\nA 0 1\nB 0 2\nC 1 3\n", "B 2 2 0\nA 3 3 2\nC 6 6 3\n"));
}

TEST(FcfsSchedOrder, ZeroAndNegativeBurstsEnterTheSums)
{
	EXPECT_TRUE(reports(program, "3\nA 0 4\nB 1 0\nC 2 -3\n", "A 4 4 0\nB 4 4 4\nC 1 1 4\n"));
}

TEST(FcfsSchedLayout, NameIsAWholeTokenOfWhichOnlyTheFirstCharacterCounts)
{
	EXPECT_TRUE(reports(program, "2\nP1 0 3\nP2 1 4\n", "P 3 3 0\nP 7 7 3\n"));
	EXPECT_TRUE(reports(program, "2\nA0 5 6\nB 1 2\n", "B 2 2 0\nA 8 8 2\n"));
}

TEST(FcfsSchedLayout, AnyWhiteSpaceSeparatesTheItems)
{
	const std::string expected = "A 5 5 0\nC 7 7 5\nB 10 10 7\n";
	EXPECT_TRUE(reports(program, "3 A 0 5 B 2 3 C 1 2", expected));
	EXPECT_TRUE(reports(program, "3\r\nA 0 5\r\nB 2 3\r\nC 1 2\r\n", expected));
	EXPECT_TRUE(reports(program, "\t3\n\nA\t0\t5\n\v B 2 3\f C\n1\n2", expected));
	EXPECT_TRUE(reports(program, "+3\nA +0 +5\nB 2 3\nC 1 2\n", expected));
}

TEST(FcfsSchedLayout, NothingAfterTheLastRecordIsRead)
{
	EXPECT_TRUE(reports(program, "1\nA 0 5\nthis is not read: x y z\n", "A 5 5 0\n"));
}

TEST(FcfsSchedCounts, ZeroCountPrintsNothing)
{
	EXPECT_TRUE(reports(program, "0\n", ""));
	EXPECT_TRUE(reports(program, "0 A 1 2", ""));
}

TEST(FcfsSchedCounts, SingleProcessWaitsNothing)
{
	EXPECT_TRUE(reports(program, "1\nZ 7 9\n", "Z 9 9 0\n"));
}

TEST(FcfsSchedLargeValues, SumsDoNotWrap)
{
	EXPECT_TRUE(reports(program, "3\nA 0 2000000000\nB 1 2000000000\nC 2 2000000000\n",
	                    "A 2000000000 2000000000 0\nB 4000000000 4000000000 2000000000\n"
	                    "C 6000000000 6000000000 4000000000\n"));
	EXPECT_TRUE(reports(program, "2\nA -2147483648 -2147483648\nB 2147483647 -2147483648\n",
	                    "A -2147483648 -2147483648 0\nB -4294967296 -4294967296 -2147483648\n"));
}

} // namespace
