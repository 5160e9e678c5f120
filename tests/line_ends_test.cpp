// The bytes every program reads and writes are the same on every platform: CR LF input
// reads like LF input, every line written ends in LF alone, and Ctrl-Z (byte 26) is an
// ordinary character, not the end of the input. The Windows runtime would turn each LF
// written into CR LF and stop reading at a Ctrl-Z unless a program asks for binary
// streams; run against the Windows programs, these tests show that each one does.

#include "harness.hpp"

#include <string>

namespace {

const std::string ctrl_z = "\x1a";

TEST(LineEnds, ReportsEndInLineFeedAloneWhateverTheInputLineEnds)
{
	EXPECT_TRUE(reports(PRIORITY_SCHED, "2\r\nA 2 0 1\r\nB 1 0 2\r\n", "A 1 1 0\nB 3 3 1\n"));
	EXPECT_TRUE(reports(SRTF_SCHED, "2\r\nA 0 1\r\nB 0 2\r\n", "A 0 1 1 1 0\nB 0 2 3 3 1\n"));
	EXPECT_TRUE(reports(FCFS_SCHED, "2\r\nA 0 1\r\nB 0 2\r\n", "A 1 1 0\nB 3 3 1\n"));
	EXPECT_TRUE(reports(FCFS_FIXED, "2\r\nA 0 1\r\nB 0 2\r\n", "A 1 1 0\nB 3 3 1\n"));
	EXPECT_TRUE(reports(SUM_CASES, "1\r\n2 3\r\n", "enter no of test casessum of given numbers is:\n5\n"));
}

TEST(LineEnds, MessagesEndInLineFeedAlone)
{
	EXPECT_TRUE(rejects(PRIORITY_SCHED, "1\r\nA 1 0 0\r\n", "record 1: burst is below 1"));
	EXPECT_TRUE(rejects(SRTF_SCHED, "1\r\nA x\r\n", "record 1: arrival is not a number"));
	EXPECT_TRUE(rejects(FCFS_SCHED, "-1\r\n", "process count is negative"));
	EXPECT_TRUE(rejects(FCFS_FIXED, "101\r\n", "process count is above 100"));
	const run_result r = run_program(SUM_CASES, "1\r\n2\r\n");
	EXPECT_EQ(r.err, "sum_cases: case 1: second number is missing\n");
	EXPECT_EQ(r.status, 1);
}

TEST(LineEnds, LoneCarriageReturnsSeparateItems)
{
	EXPECT_TRUE(reports(FCFS_SCHED, "2\rA 0 1\rB 0 2\r", "A 1 1 0\nB 3 3 1\n"));
}

TEST(CtrlZ, IsAnOrdinaryNameCharacter)
{
	EXPECT_TRUE(reports(PRIORITY_SCHED, "1\n" + ctrl_z + " 1 0 2\n", ctrl_z + " 2 2 0\n"));
	EXPECT_TRUE(reports(SRTF_SCHED, "1\n" + ctrl_z + " 0 2\n", ctrl_z + " 0 2 2 2 0\n"));
	EXPECT_TRUE(reports(FCFS_SCHED, "2\nA 0 1\n" + ctrl_z + "B 0 2\n", "A 1 1 0\n" + ctrl_z + " 3 3 1\n"));
	EXPECT_TRUE(reports(FCFS_FIXED, "2\nA 0 1\n" + ctrl_z + " 0 2\n", "A 1 1 0\n" + ctrl_z + " 3 3 1\n"));
}

TEST(CtrlZ, DoesNotEndTheInput)
{
	EXPECT_TRUE(rejects(FCFS_SCHED, "1\nA " + ctrl_z + "\n", "record 1: arrival is not a number"));
	const run_result r = run_program(SUM_CASES, "2\n1 1\n" + ctrl_z + " 2 2\n");
	EXPECT_EQ(r.err, "sum_cases: case 2: first number is not a number\n");
	EXPECT_EQ(r.status, 1);
}

} // namespace
