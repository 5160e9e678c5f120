// fcfs_fixed from the outside: its selection ordering, its one-character names and its
// table of 100 slots.

#include "harness.hpp"

#include <algorithm>
#include <string>

namespace {

const std::string program = FCFS_FIXED;

// `count` records named by cycling through the letters, each arriving at 0 with burst 1.
std::string batch_of(int count)
{
	std::string input = std::to_string(count) + "\n";
	for (int i = 0; i < count; i++)
		input += std::string(1, static_cast<char>('A' + i % 26)) + " 0 1\n";
	return input;
}

TEST(FcfsFixedOrder, DispatchesByArrivalBackToBack)
{
	EXPECT_TRUE(reports(program, "3\nA 0 5\nB 2 3\nC 1 2\n", "A 5 5 0\nC 7 7 5\nB 10 10 7\n"));
	EXPECT_TRUE(reports(program, "2\nX 0 2\nY 10 3\n", "X 2 2 0\nY 5 5 2\n"));
}

TEST(FcfsFixedOrder, EqualArrivalsFollowTheSelectionOrdering)
{
	EXPECT_TRUE(reports(program, "3\nA 0 1\nB 0 2\nC 1 3\n", "A 1 1 0\nB 3 3 1\nC 6 6 3\n"));
	EXPECT_TRUE(reports(program, "3\nA 1 1\nB 1 2\nC 0 3\n", "C 3 3 0\nB 5 5 3\nA 6 6 5\n"));
}

TEST(FcfsFixedOrder, ZeroAndNegativeBurstsEnterTheSums)
{
	EXPECT_TRUE(reports(program, "3\nA 0 4\nB 1 0\nC 2 -3\n", "A 4 4 0\nB 4 4 4\nC 1 1 4\n"));
}

TEST(FcfsFixedLayout, NameIsOneCharacterAndMayTouchTheArrival)
{
	EXPECT_TRUE(reports(program, "2\nA0 5\nB1 2\n", "A 5 5 0\nB 7 7 5\n"));
	// A longer name runs into the arrival: "P1 0 3" is name P, arrival 1, burst 0.
	EXPECT_TRUE(reports(program, "1\nP1 0 3\n", "P 0 0 0\n"));
	EXPECT_TRUE(reports(program, "2\n1 0 3\n- 1 2\n", "1 3 3 0\n- 5 5 3\n"));
}

TEST(FcfsFixedLayout, AnyWhiteSpaceSeparatesTheItems)
{
	const std::string expected = "A 5 5 0\nC 7 7 5\nB 10 10 7\n";
	EXPECT_TRUE(reports(program, "3 A 0 5 B 2 3 C 1 2", expected));
	EXPECT_TRUE(reports(program, "3\r\nA 0 5\r\nB 2 3\r\nC 1 2\r\n", expected));
	EXPECT_TRUE(reports(program, "3\tA\t0\t5\n\nB 2 3\vC 1\f2 trailing words", expected));
}

TEST(FcfsFixedCounts, ZeroOrNegativeCountPrintsNothing)
{
	EXPECT_TRUE(reports(program, "0\n", ""));
	EXPECT_TRUE(reports(program, "-5\nA 0 1\n", ""));
	EXPECT_TRUE(reports(program, "-2147483648\n", ""));
}

TEST(FcfsFixedCounts, AHundredProcessesFillTheTable)
{
	const run_result r = run_program(program, batch_of(100));
	EXPECT_EQ(r.status, 0);
	EXPECT_TRUE(r.err.empty());
	ASSERT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 100);
	EXPECT_EQ(r.out.substr(r.out.rfind('\n', r.out.size() - 2) + 1), "V 100 100 99\n");
}

TEST(FcfsFixedCounts, MoreThanAHundredIsRejected)
{
	EXPECT_TRUE(rejects(program, batch_of(101), "process count is above 100"));
	EXPECT_TRUE(rejects(program, "2147483647\n", "process count is above 100"));
}

TEST(FcfsFixedLargeValues, SumsDoNotWrap)
{
	EXPECT_TRUE(reports(program, "3\nA 0 2000000000\nB 1 2000000000\nC 2 2000000000\n",
	                    "A 2000000000 2000000000 0\nB 4000000000 4000000000 2000000000\n"
	                    "C 6000000000 6000000000 4000000000\n"));
}

} // namespace
