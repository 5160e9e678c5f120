// Input as people type it, the same in all five programs: fractions and junk glued to
// numbers are refused where they stand, a byte-order mark is skipped, a read error is
// named, and the command line offers --help and --version.

#include "harness.hpp"

#include <string>
#include <vector>

namespace {

// One program with a well-formed input.
struct program_case {
	std::string path;
	std::string input;      // ends with its last number, without a line end
	std::string report;     // what the program prints for it
	std::string last_field; // the field of that last number, as the messages name it
	std::string kept;       // what stays printed when that number is refused
};

const std::string prompt = "enter no of test cases";
const std::string answer = "sum of given numbers is:\n";

const std::vector<program_case> programs = {
	{PRIORITY_SCHED, "2\nA 2 0 3\nB 1 1 2", "B 3 2 0\nA 5 5 2\n", "record 2: burst", ""},
	{SRTF_SCHED, "2\nA 0 3\nB 1 1", "B 1 1 2 1 0\nA 0 3 4 4 1\n", "record 2: burst", ""},
	{FCFS_SCHED, "2\nA 0 3\nB 1 1", "A 3 3 0\nB 4 4 3\n", "record 2: burst", ""},
	{FCFS_FIXED, "2\nA 0 3\nB 1 1", "A 3 3 0\nB 4 4 3\n", "record 2: burst", ""},
	{SUM_CASES, "2\n1 2\n3 4", prompt + answer + "3\n" + answer + "7\n", "case 2: second number",
	 prompt + answer + "3\n"},
};

TEST(Input, WellFormedInputGivesTheSameReportWithAnyEndingAndAByteOrderMark)
{
	for (const program_case& p : programs) {
		for (const char* ending : {"", "\n", "\r\n", " tail words"})
			EXPECT_TRUE(reports(p.path, p.input + ending, p.report));
		EXPECT_TRUE(reports(p.path, "\xEF\xBB\xBF" + p.input, p.report));
	}
}

// Input that each program refuses, with its one message; nothing is printed but what
// stays printed (sum_cases's prompt and the answers it had written).
TEST(Input, BadInputIsRefusedWithOneMessage)
{
	const struct {
		std::string path;
		std::string input;
		std::string message;
		std::string kept = "";
	} refused[] = {
		{PRIORITY_SCHED, "", "process count is missing"},
		{PRIORITY_SCHED, "x", "process count is not a number"},
		{PRIORITY_SCHED, "2147483648", "process count is out of range"},
		{PRIORITY_SCHED, "-1\nA 1 0 1\n", "process count is negative"},
		{PRIORITY_SCHED, "2\nA 1 0 1\n", "record 2: name is missing"},
		{PRIORITY_SCHED, "2\nA 1 0 1\nB", "record 2: priority is missing"},
		{PRIORITY_SCHED, "2\nA 1 0 1\nB 1", "record 2: arrival is missing"},
		{PRIORITY_SCHED, "2\nA 1 0 1\nB 1 0\n", "record 2: burst is missing"},
		{PRIORITY_SCHED, "2147483647\nA 1 0 1\nB 1 0 1\nC 1 0 1\n", "record 4: name is missing"},
		{PRIORITY_SCHED, "1\nA high 0 1\n", "record 1: priority is not a number"},
		{PRIORITY_SCHED, "1\nA 1 - 1\n", "record 1: arrival is not a number"},
		{PRIORITY_SCHED, "1\nA 1 0 2147483648\n", "record 1: burst is out of range"},
		{PRIORITY_SCHED, "1\nA -2147483649 0 1\n", "record 1: priority is out of range"},
		{PRIORITY_SCHED, "1\nA 1 -21474836480 3\n", "record 1: arrival is out of range"},
		// A process with no time to run could never finish.
		{PRIORITY_SCHED, "2\nA 1 0 3\nB 1 1 0\n", "record 2: burst is below 1"},
		{PRIORITY_SCHED, "1\nA 1 0 -4\n", "record 1: burst is below 1"},
		{SRTF_SCHED, "", "process count is missing"},
		{SRTF_SCHED, "x", "process count is not a number"},
		{SRTF_SCHED, "-2147483649", "process count is out of range"},
		{SRTF_SCHED, "-3\nA 0 1\n", "process count is negative"},
		{SRTF_SCHED, "2\nA 0 1\n", "record 2: name is missing"},
		{SRTF_SCHED, "2\nA 0 1\nB", "record 2: arrival is missing"},
		{SRTF_SCHED, "2\nA 0 1\nB 1\n", "record 2: burst is missing"},
		{SRTF_SCHED, "2147483647\nA 0 1\nB 0 1\nC 0 1\n", "record 4: name is missing"},
		{SRTF_SCHED, "2\nA 0 1\nB x 1\n", "record 2: arrival is not a number"},
		{SRTF_SCHED, "1\nA 0 4294967296\n", "record 1: burst is out of range"},
		{SRTF_SCHED, "1\nA -21474836489 3\n", "record 1: arrival is out of range"},
		{FCFS_SCHED, "", "process count is missing"},
		{FCFS_SCHED, " \n\t", "process count is missing"},
		{FCFS_SCHED, "three\n", "process count is not a number"},
		{FCFS_SCHED, "-\n", "process count is not a number"},
		{FCFS_SCHED, "2147483648\n", "process count is out of range"},
		{FCFS_SCHED, "-1\nA 0 1\n", "process count is negative"},
		{FCFS_SCHED, "2\nA 0 5\n", "record 2: name is missing"},
		{FCFS_SCHED, "2\nA 0 5\nB", "record 2: arrival is missing"},
		{FCFS_SCHED, "2\nA 0 5\nB 1\n", "record 2: burst is missing"},
		{FCFS_SCHED, "3\nA 0 5\nB 1 2\nC 1 x\n", "record 3: burst is not a number"},
		{FCFS_SCHED, "1\nA zero 5\n", "record 1: arrival is not a number"},
		{FCFS_SCHED, "1\nA 0 2147483648\n", "record 1: burst is out of range"},
		{FCFS_SCHED, "1\nA -2147483649 1\n", "record 1: arrival is out of range"},
		{FCFS_SCHED, "1\nA -21474836480 1\n", "record 1: arrival is out of range"},
		{FCFS_SCHED, "1\nA 99999999999999999999999 1\n", "record 1: arrival is out of range"},
		// A count far beyond the records fails at the end of the input.
		{FCFS_SCHED, "2147483647\nA 0 1\nB 0 1\nC 0 1\n", "record 4: name is missing"},
		{FCFS_FIXED, "", "process count is missing"},
		{FCFS_FIXED, "x", "process count is not a number"},
		{FCFS_FIXED, "99999999999", "process count is out of range"},
		{FCFS_FIXED, "2\nA 0 1\n", "record 2: name is missing"},
		{FCFS_FIXED, "2\nA 0 1\nB", "record 2: arrival is missing"},
		{FCFS_FIXED, "2\nA 0 1\nB 4", "record 2: burst is missing"},
		{FCFS_FIXED, "2\nA 0 1\nB 4 +", "record 2: burst is not a number"},
		{FCFS_FIXED, "1\nA 3000000000 1", "record 1: arrival is out of range"},
		{FCFS_FIXED, "1\nA 0 -2147483648000000", "record 1: burst is out of range"},
		{SUM_CASES, "", "case count is missing", prompt},
		{SUM_CASES, "many", "case count is not a number", prompt},
		{SUM_CASES, "4294967296", "case count is out of range", prompt},
		{SUM_CASES, "-21474836480", "case count is out of range", prompt},
		{SUM_CASES, "3\n1 1\n2 two\n", "case 2: second number is not a number", prompt + answer + "2\n"},
		{SUM_CASES, "2\n1 1\n", "case 2: first number is missing", prompt + answer + "2\n"},
		{SUM_CASES, "1\n2147483648 0\n", "case 1: first number is out of range", prompt},
		{SUM_CASES, "1\n-21474836480 0\n", "case 1: first number is out of range", prompt},
	};
	for (const auto& bad : refused) {
		const run_result r = run_program(bad.path, bad.input);
		EXPECT_EQ(r.err, program_name(bad.path) + ": " + bad.message + "\n") << bad.input;
		EXPECT_EQ(r.out, bad.kept) << bad.input;
		EXPECT_EQ(r.status, 1) << bad.input;
	}
}

TEST(Input, JunkGluedToTheLastNumberIsRefused)
{
	for (const program_case& p : programs) {
		for (const char* junk : {".5", ".0", "e3", "x10", "abc", ",5"}) {
			const run_result r = run_program(p.path, p.input + junk + "\n");
			EXPECT_EQ(r.err, program_name(p.path) + ": " + p.last_field + " has trailing characters\n") << junk;
			EXPECT_EQ(r.status, 1);
			EXPECT_EQ(r.out, p.kept);
		}
	}
}

TEST(Input, FractionsAreRefusedWhereTheyStand)
{
	EXPECT_TRUE(rejects(PRIORITY_SCHED, "2\nA 2 0.5 3\nB 1 1 2\n", "record 1: arrival is not a whole number"));
	EXPECT_TRUE(rejects(SRTF_SCHED, "2\nA 0 2,5\nB 1 1\n", "record 1: burst is not a whole number"));
	EXPECT_TRUE(rejects(FCFS_SCHED, "2\nA 0 2.5\nB 1 3\n", "record 1: burst is not a whole number"));
	EXPECT_TRUE(rejects(FCFS_FIXED, "2.0\nA 0 2\nB 1 3\n", "process count is not a whole number"));
	const run_result r = run_program(SUM_CASES, "2\n1 2\n3.5 4\n");
	EXPECT_EQ(r.err, "sum_cases: case 2: first number is not a whole number\n");
	// A point or comma not followed by a digit is left to be read as before: here it
	// starts the next name.
	EXPECT_TRUE(reports(FCFS_SCHED, "2\nA 0 2.x 1 3\n", "A 2 2 0\n. 5 5 2\n"));
}

// The input is read in blocks of 64 KiB: a number that the end of the first block cuts
// reads whole, and so does a fraction, which is still refused.
TEST(Input, ANumberCutByTheEndOfABlockReadsWhole)
{
	for (std::size_t cut = 1; cut <= 10; cut++) {
		const std::string lead = "1\n" + std::string(65536 - 2 - cut, ' ');
		EXPECT_TRUE(reports(SUM_CASES, lead + "123456789 987654321\n", prompt + answer + "1111111110\n")) << cut;
		const run_result r = run_program(SUM_CASES, lead + "12.5 3\n");
		EXPECT_EQ(r.err, "sum_cases: case 1: first number is not a whole number\n") << cut;
	}
}

TEST(Input, OneCharacterNamesAreExplainedWhenAGluedNameGoesWrong)
{
	const std::string hint = " (names are one character long: \"P1\" reads as the name P and the number 1)";
	EXPECT_TRUE(rejects(PRIORITY_SCHED, "1\nP1 3 0 4\n", "record 1: burst is below 1" + hint));
	EXPECT_TRUE(rejects(SRTF_SCHED, "2\nP1 0 3\nQ2 1 4\n", "record 2: arrival is not a number" + hint));
	EXPECT_TRUE(rejects(FCFS_FIXED, "1\nP1 x\n", "record 1: burst is not a number" + hint));
	EXPECT_TRUE(rejects(FCFS_FIXED, "1\nP x\n", "record 1: arrival is not a number"));
	EXPECT_TRUE(rejects(FCFS_SCHED, "1\nP1 x\n", "record 1: arrival is not a number"));
}

TEST(Input, AReadErrorIsNamed)
{
	for (const program_case& p : programs) {
		const run_result r = run_program_reading(p.path, "/");
		EXPECT_EQ(r.err.rfind(program_name(p.path) + ": cannot read standard input: ", 0), 0u) << r.err;
		EXPECT_EQ(r.status, 1);
	}
}

TEST(CommandLine, HelpAndVersionAnswerAndEnd)
{
	for (const program_case& p : programs) {
		const std::string name = program_name(p.path);
		const run_result help = run_program(p.path, p.input, {"--help"});
		EXPECT_EQ(help.out.rfind("usage: " + name, 0), 0u) << help.out;
		EXPECT_NE(help.out.find("man " + name), std::string::npos);
		EXPECT_EQ(help.status, 0);
		const run_result version = run_program(p.path, p.input, {"--version"});
		EXPECT_EQ(version.out, name + " " + SCHED_VERSION + "\n");
		EXPECT_EQ(version.status, 0);
		EXPECT_TRUE(reports(p.path, p.input, p.report)) << "other arguments are ignored";
	}
}

// The tie cases of the manual pages, each with the line of its account that says what
// decided between the tied processes; the two forms exclude each other.
TEST(CommandLine, ExplainTellsWhatDecidedEachTie)
{
	const struct {
		std::string path;
		std::string batch;
		std::string line;
	} ties[] = {
		{PRIORITY_SCHED, "3\nA 2 1 1\nB 2 1 1\nC 2 0 1\n",
		 "1: B and A tie on priority 2 in the final order: C (arrival 0) was exchanged with A, which moved A "
		 "behind B in the first arrival ordering\n"},
		{PRIORITY_SCHED, "4\nX 3 0 2\nY 2 0 2\nZ 3 0 2\nW 1 1 2\n",
		 "1: Z and X tie on priority 3 in the final order: Y (priority 2) was exchanged with X, which moved X "
		 "behind Z in the final priority ordering\n"},
		{SRTF_SCHED, "3\nA 0 4\nB 1 3\nC 2 3\n", "1: A and B tie with 3 left; A runs: A arrived earlier (0 before 1)\n"},
		{SRTF_SCHED, "3\nA 0 4\nB 1 3\nC 2 3\n",
		 "2: B and C tie with 3 left in the final order: B arrived earlier (1 before 2)\n"},
		{SRTF_SCHED, "2\nA 0 2\nB 0 1\n",
		 "1: A and B tie with 1 left in the final order: A and B arrived together, and A comes first in the input\n"},
		{FCFS_SCHED, "3\nA 0 1\nB 0 2\nC 1 3\n",
		 "0: B and A tie on arrival 0: C (arrival 1) was exchanged with A, which moved A behind B\n"},
		{FCFS_FIXED, "3\nA 1 1\nB 1 2\nC 0 3\n",
		 "0: B and A tie on arrival 1: C (arrival 0) was exchanged with A, which moved A behind B\n"},
	};
	for (const auto& tie : ties) {
		const run_result r = run_program(tie.path, tie.batch, {"--explain"});
		EXPECT_NE(r.out.find(tie.line), std::string::npos) << r.out;
		EXPECT_EQ(r.status, 0);
		const run_result both = run_program(tie.path, tie.batch, {"--json", "--explain"});
		EXPECT_EQ(both.err, program_name(tie.path) + ": --explain and --json exclude each other\n");
		EXPECT_EQ(both.out, "");
		EXPECT_EQ(both.status, 1);
	}
}

TEST(CommandLine, AFileNameGivenAtATerminalIsAnsweredWithAHint)
{
	if (!std::string(SCHED_TEST_LAUNCHER).empty())
		GTEST_SKIP() << "the launcher stands between the program and the terminal";
	const run_result r = run_program_at_terminal(FCFS_SCHED, "0\n", {"batch.txt"});
	EXPECT_EQ(r.err, "fcfs_sched: the batch is read from standard input: fcfs_sched < FILE\n");
	EXPECT_EQ(r.status, 0);
}

} // namespace
