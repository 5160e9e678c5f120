// The programs under conditions that go wrong around them: a standard output that cannot
// be written, a count that promises far more records than come, batches far larger than
// anyone types, and the programs driven through a pipe the way a console or a caller
// waiting for the report would drive them.

#include "harness.hpp"
#include "json_reader.hpp"

#include <string>
#include <vector>

namespace {

namespace json = sched::json;

struct program {
	std::string name;
	std::string path;
};

const std::vector<program> programs = {{"priority_sched", PRIORITY_SCHED},
                                       {"srtf_sched", SRTF_SCHED},
                                       {"fcfs_sched", FCFS_SCHED},
                                       {"fcfs_fixed", FCFS_FIXED},
                                       {"sum_cases", SUM_CASES}};

// A small batch for each program, in its record layout; every one of them prints.
std::string small_batch(const std::string& name)
{
	if (name == "priority_sched")
		return "2\nA 1 0 2\nB 2 1 1\n";
	if (name == "sum_cases")
		return "1\n2 3\n";
	return "2\nA 0 2\nB 1 1\n";
}

// A batch of `count` records whose report is far longer than the block in which the
// lines gather, so that the failure to write comes up while the report is printed, not
// only at the final flush.
std::string long_batch(const std::string& name, int count)
{
	std::string input = std::to_string(count) + "\n";
	for (int i = 0; i < count; i++)
		input += name == "priority_sched" ? "P 1 0 1\n" : "P 0 1\n";
	return input;
}

::testing::AssertionResult fails_to_write(const program& p, const std::string& input)
{
	const run_result r = run_program_into(p.path, input, "/dev/full");
	const std::string wanted = p.name + ": cannot write standard output: No space left on device\n";
	if (r.status == 1 && r.err == wanted)
		return ::testing::AssertionSuccess();
	return ::testing::AssertionFailure() << p.name << " gave status " << r.status << " and error:\n" << r.err;
}

TEST(FaultsFullOutput, EveryProgramReportsTheFailureWithStatusOne)
{
	for (const program& p : programs)
		EXPECT_TRUE(fails_to_write(p, small_batch(p.name)));
}

TEST(FaultsFullOutput, AFailureInTheMiddleOfALongReport)
{
	for (const program& p : programs) {
		if (p.name == "sum_cases")
			continue; // it writes one short answer at a time
		EXPECT_TRUE(fails_to_write(p, long_batch(p.name, p.name == "fcfs_fixed" ? 100 : 20000)));
	}
}

TEST(FaultsFullOutput, NothingToWriteIsNoFailure)
{
	for (const program& p : programs) {
		if (p.name == "sum_cases")
			continue; // its prompt is always written
		const run_result r = run_program_into(p.path, "0\n", "/dev/full");
		EXPECT_EQ(r.status, 0) << p.name;
		EXPECT_EQ(r.err, "") << p.name;
	}
}

// A table sized from the count would need gigabytes; the programs must find the input
// short long before that. The bound leaves room for the sanitizers' own memory.
constexpr long little_memory_kib = 128 * 1024;

TEST(FaultsHugeCount, ThreeRecordsOfTwoBillionPromisedFailWithLittleMemory)
{
	const std::string records = "A 1 0 1\nB 1 0 1\nC 1 0 1\n";
	for (const program& p : programs) {
		const bool four_fields = p.name == "priority_sched";
		const run_result r = run_program(p.path, "2147483647\n" + (four_fields ? records : "A 0 1\nB 0 1\nC 0 1\n"));
		EXPECT_LT(r.peak_memory_kib, little_memory_kib) << p.name;
		if (p.name == "sum_cases") {
			EXPECT_EQ(r.status, 0);
			EXPECT_EQ(r.out, "enter no of test cases");
		} else if (p.name == "fcfs_fixed") {
			EXPECT_EQ(r.status, 1);
			EXPECT_EQ(r.err, "fcfs_fixed: process count is above 100\n");
		} else {
			EXPECT_EQ(r.status, 1) << p.name;
			EXPECT_EQ(r.out, "") << p.name;
			EXPECT_EQ(r.err, p.name + ": record 4: name is missing\n");
		}
	}
}

// 20000 processes, all arriving at time 7, so that the run is the orderings' quadratic
// work and little more. The bursts are 1 to 20000 in input order: each report line tells
// which process it is, and the orderings find the table already in order.
std::string name_of(long long burst)
{
	return std::string(1, static_cast<char>('A' + (burst - 1) % 26));
}

std::string twenty_thousand(bool named_tokens)
{
	std::string input = "20000\n";
	for (int i = 0; i < 20000; i++)
		input += name_of(i + 1) + (named_tokens ? "_token " : " ") + "7 " + std::to_string(i + 1) + "\n";
	return input;
}

std::vector<std::string> lines_of(const std::string& text)
{
	std::vector<std::string> lines;
	for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
		end = text.find('\n', start);
		if (end == std::string::npos)
			end = text.size();
		lines.push_back(text.substr(start, end - start));
	}
	return lines;
}

// Both programs run the processes in input order here: fcfs_sched because no arrival is
// smaller than another, srtf_sched because the shortest is always the next in the input
// (the first, with burst 1, finishes in the first tick).
void expect_run_in_input_order(const std::string& path, bool named_tokens, long long start,
                               bool turnaround_from_arrival)
{
	const run_result r = run_program(path, twenty_thousand(named_tokens));
	ASSERT_EQ(r.status, 0) << r.err;
	const std::vector<std::string> lines = lines_of(r.out);
	ASSERT_EQ(lines.size(), 20000u);
	long long clock = start;
	for (long long burst = 1; burst <= 20000; burst++) {
		clock += burst;
		const long long turnaround = turnaround_from_arrival ? clock - 7 : clock;
		std::string wanted = name_of(burst) + " ";
		if (turnaround_from_arrival)
			wanted += "7 " + std::to_string(burst) + " ";
		wanted += std::to_string(clock) + " " + std::to_string(turnaround) + " " +
		          std::to_string(turnaround - burst);
		ASSERT_EQ(lines[static_cast<std::size_t>(burst - 1)], wanted);
	}
}

TEST(FaultsLargeBatch, TwentyThousandProcessesInFcfsSched)
{
	expect_run_in_input_order(FCFS_SCHED, true, 0, false);
}

TEST(FaultsLargeBatch, TwentyThousandProcessesInSrtfSched)
{
	expect_run_in_input_order(SRTF_SCHED, false, 7, true);
}

// A schedule grows with the simulated time and the batch, the document's segments must
// not: in priority_sched two processes tied on both keys take turns for two billion units,
// and srtf_sched and fcfs_sched run more processes one after another than the document
// lists segments. Each lists them up to its bound and says where it cut them; priority_sched,
// whose batch is four lines, in little memory too (the others hold their large batch).
TEST(FaultsHugeSchedule, DocumentsCutTheirSegmentsShortWithinTheirBound)
{
	const std::size_t most_segments = 100000;
	const std::string taking_turns = "4\nA 1 0 2147483647\nB 0 1 2147483647\nC 0 1 2147483647\nZ 5 2147483647 1\n";
	// Its peak before the test reads any document, which would count in it.
	const run_result r = run_program_into(PRIORITY_SCHED, taking_turns, "/dev/null", {"--json"});
	EXPECT_EQ(r.status, 0) << r.err;
	EXPECT_LT(r.peak_memory_kib, little_memory_kib);

	// The other schedulers' documents, cut at a smaller bound, in account_test.cpp.
	const json::value d = json::parse(run_program(PRIORITY_SCHED, taking_turns, {"--json"}).out);
	const std::vector<json::value>& segments = d["segments"].items;
	EXPECT_TRUE(d["segments_cut_short"].boolean);
	ASSERT_EQ(segments.size(), most_segments);
	EXPECT_GE(d["segments_cut_at"].integer(), segments.back()[2].integer());
}

// A caller that writes a batch and waits for the report before it closes the pipe must
// get the report: the last record is known to be whole once the line feed after it has
// been read, so a reader that looks one character further waits for ever.
TEST(FaultsConsole, SchedulersAnswerBeforeTheirInputIsClosed)
{
	const int patience_ms = 20000;
	for (const program& p : programs) {
		if (p.name == "sum_cases")
			continue;
		const std::string input = small_batch(p.name);
		const std::string report = run_program(p.path, input).out;
		piped_program piped(p.path);
		piped.write(input);
		EXPECT_EQ(piped.read_at_least(report.size(), patience_ms), report) << p.name;
		piped.close_input();
		EXPECT_EQ(piped.read_to_end(), "") << p.name;
		EXPECT_EQ(piped.wait(), 0) << p.name;
	}
}

TEST(FaultsConsole, SumCasesPromptsBeforeAnyInputAndAnswersEachCaseAtOnce)
{
	const std::string prompt = "enter no of test cases";
	const std::string label = "sum of given numbers is:\n";
	// A correct program writes at once; the patience only keeps a broken one from
	// stalling the test, which then fails on what it has seen.
	const int patience_ms = 60000;
	piped_program p(SUM_CASES);
	EXPECT_EQ(p.read_at_least(prompt.size(), patience_ms), prompt);
	p.write("2\n1 2\n");
	EXPECT_EQ(p.read_at_least(label.size() + 2, patience_ms), label + "3\n");
	p.write("5 -7\n");
	p.close_input();
	EXPECT_EQ(p.read_to_end(), label + "-2\n");
	EXPECT_EQ(p.wait(), 0);
}

} // namespace
