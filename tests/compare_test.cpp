// The report comparison that the checker and the page share: its verdicts and the kinds
// of mistake it names, on the cases a student meets and on random reports of the real
// programs, each changed in one known way.

#include "batch_generator.hpp"
#include "compare.hpp"
#include "fcfs_sched.hpp"
#include "in_memory.hpp"
#include "priority_sched.hpp"
#include "srtf_sched.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using sched::compare_mode;
using sched::report_rules;
using sched::verdict;

struct worded_case {
	report_rules rules;
	std::string expected;
	std::string answer;
	verdict outcome;
	std::string detail;
	std::string first_finding; // its text, where one is wanted
};

// A hint names the line it is about, and the bytes of a no-break space, but no figure.
bool gives_no_figure(std::string hint)
{
	static const std::regex allowed("line [0-9]+|C2 A0");
	return std::regex_replace(hint, allowed, "").find_first_of("0123456789") == std::string::npos;
}

TEST(Comparison, NamesEachKindOfMistake)
{
	const std::string example = "B 4 3 0\nD 5 2 1\nA 8 8 4\nC 10 8 6\nE 12 8 6\n";
	const worded_case cases[] = {
		{report_rules::preemptive, "C 1 1 0\nB 2 1 0\nA 3 2 1\n", "B 2 1 0\nC 1 1 0\nA 3 2 2\n", verdict::wrong_answer,
		 "right lines in the wrong order; a waiting time that is not turnaround minus burst",
		 "line 1: right figures, but C finishes before B"},
		{report_rules::preemptive, example, "B 4 4 1\nD 5 2 1\nA 8 8 4\nC 10 8 6\nE 12 8 6\n", verdict::wrong_answer,
		 "a turnaround that does not follow from its completion", "line 1: turnaround 4 is not completion 4 minus arrival 1"},
		{report_rules::from_zero, "A 5 5 0\nC 7 7 5\n", "A 5 5 0\nC 7 5 5\n", verdict::wrong_answer,
		 "a turnaround that does not follow from its completion",
		 "line 2: turnaround 5 is not completion 7: here the turnaround is the completion itself, counted from time 0"},
		{report_rules::echoing, "A 0 2 2 2 0\n", "A 1 2 3 2 0\n", verdict::wrong_answer,
		 "a wrong completion; a turnaround that does not follow from its completion; an arrival that is not the batch's",
		 "line 1: arrival 1 is not A's arrival 0"},
		{report_rules::preemptive, example, "B 5 4 1\nD 5 2 1\nA 8 8 4\nC 10 8 6\n", verdict::wrong_answer,
		 "a wrong completion; a missing line", "line 1: B completes at 5 where the report has 4"},
		{report_rules::preemptive, "A 1 1 0\n", "A 1 1 0\nQ 2 2 0\nA 3 3 0\n", verdict::wrong_answer,
		 "an extra line; a name that is no process of the batch", "line 2 names Q, which is no process of the batch"},
		{report_rules::preemptive, "A 1 1 0\n", "A 1 one 0\n", verdict::wrong_answer, "a wrong line", ""},
		{report_rules::preemptive, example, "B 4 3 0\r\nD 5 2 1\r\nA 8 8 4\r\nC 10 8 6\r\nE 12 8 6\r\n",
		 verdict::presentation_error, "only spacing and line ends differ: lines end in CR LF", ""},
		{report_rules::preemptive, "B 4 3 0\n", "B\xC2\xA0" "4 3 0 \n\n", verdict::presentation_error,
		 "only spacing and line ends differ: white space at the end of a line; a no-break space", ""},
		{report_rules::preemptive, "B 4 3 0\n", "B  4\t3 0", verdict::presentation_error,
		 "only spacing and line ends differ: more than one blank, or a tab, between the items of a line; no line "
		 "feed after the last line",
		 ""},
		// A name is any byte: C2 as a name is no spacing.
		{report_rules::preemptive, "\xC2 4 3 0\n", "\xC2\xA0" "4 3 0\n", verdict::wrong_answer, "", ""},
		{report_rules::cases, "enter no of test casessum of given numbers is:\n3\n",
		 "enter no of test casessum of given numbers is:\n4\n", verdict::wrong_answer, "a wrong line", ""},
		{report_rules::cases, "enter no of test cases", "enter no of test cases\n", verdict::presentation_error,
		 "only spacing and line ends differ", ""},
	};
	for (const worded_case& c : cases) {
		const sched::comparison got = sched::compare_reports(c.rules, c.expected, c.answer, compare_mode::exact);
		EXPECT_EQ(got.outcome, c.outcome) << c.answer;
		EXPECT_TRUE(got.detail.starts_with(c.detail)) << got.detail;
		if (!c.first_finding.empty()) {
			ASSERT_FALSE(got.findings.empty()) << c.answer;
			EXPECT_NE(got.findings.front().text.find(c.first_finding), std::string::npos) << got.findings.front().text;
		}
		for (const sched::finding& f : got.findings)
			EXPECT_TRUE(gives_no_figure(f.hint)) << f.hint;
		const verdict lenient = sched::compare_reports(c.rules, c.expected, c.answer, compare_mode::lines).outcome;
		EXPECT_EQ(lenient, c.outcome == verdict::presentation_error ? verdict::passed : c.outcome) << c.answer;
	}
}

std::string report_of(const sched::program_entry& program, const std::string& batch)
{
	const sched::captured_run run = sched::run_in_memory(program, batch);
	EXPECT_EQ(run.status, 0) << batch << run.err;
	return run.out;
}

std::vector<std::string> lines_of(const std::string& text)
{
	std::vector<std::string> lines;
	for (std::size_t start = 0; start < text.size(); start = text.find('\n', start) + 1)
		lines.push_back(text.substr(start, text.find('\n', start) - start));
	return lines;
}

std::string joined(const std::vector<std::string>& lines)
{
	std::string out;
	for (const std::string& line : lines)
		out += line + "\n";
	return out;
}

// The figure of the line at `index` from the end (1 the waiting, 2 the turnaround, 3
// the completion), moved by one.
std::string moved(const std::string& line, std::size_t index)
{
	std::size_t end = line.size();
	for (std::size_t i = 1; i < index; i++)
		end = line.rfind(' ', end - 1);
	const std::size_t start = line.rfind(' ', end - 1) + 1;
	return line.substr(0, start) + std::to_string(std::stoll(line.substr(start, end - start)) + 1) + line.substr(end);
}

TEST(Comparison, CallsEachChangeOfARealReportByItsKind)
{
	const struct {
		report_rules rules;
		sched::batch_kind kind;
		sched::program_entry program;
	} programs[] = {
		{report_rules::preemptive, sched::batch_kind::priority, [](std::FILE* i, std::FILE* o, std::FILE* e) { return priority_sched::run(i, o, e); }},
		{report_rules::echoing, sched::batch_kind::arrival_burst, [](std::FILE* i, std::FILE* o, std::FILE* e) { return srtf_sched::run(i, o, e); }},
		{report_rules::from_zero, sched::batch_kind::arrival_burst, [](std::FILE* i, std::FILE* o, std::FILE* e) { return fcfs_sched::run(i, o, e); }},
	};
	const std::pair<const char*, void (*)(std::vector<std::string>&)> changes[] = {
		{"waiting", [](std::vector<std::string>& l) { l.back() = moved(l.back(), 1); }},
		// A slip in the turnaround, carried into the waiting.
		{"turnaround", [](std::vector<std::string>& l) { l.back() = moved(moved(l.back(), 2), 1); }},
		{"order", [](std::vector<std::string>& l) { std::swap(l[0], l[1]); }},
		{"missing", [](std::vector<std::string>& l) { l.pop_back(); }},
	};
	for (const auto& p : programs)
		for (const sched::named_batch& b : sched::random_batches(p.kind, 7, 64)) {
			const std::string expected = report_of(p.program, b.text);
			EXPECT_EQ(sched::compare_reports(p.rules, expected, expected, compare_mode::exact).outcome, verdict::passed);
			for (const auto& [kind, apply] : changes) {
				std::vector<std::string> lines = lines_of(expected);
				if (lines.size() < 2 || lines[0][0] == lines[1][0])
					continue;
				apply(lines);
				const sched::comparison got = sched::compare_reports(p.rules, expected, joined(lines), compare_mode::exact);
				ASSERT_EQ(got.outcome, verdict::wrong_answer) << b.text << kind;
				ASSERT_FALSE(got.findings.empty());
				EXPECT_EQ(got.findings.front().kind, kind) << b.text << got.detail;
				EXPECT_EQ(got.findings.size(), 1U) << b.text << got.detail;
			}
		}
}

// The page's answer check reads what it compares with from the program's document: the
// process of each line and the account, whose entries decide the findings.
TEST(Comparison, ReadsTheReportAndTheAccountFromTheDocument)
{
	const sched::captured_run run = sched::run_in_memory(
		[](std::FILE* i, std::FILE* o, std::FILE* e) {
			return priority_sched::run(i, o, e, {.form = sched::output_form::json});
		},
		"3\nA 2 1 1\nB 2 1 1\nC 2 0 1\n");
	const sched::expected_report expected = sched::read_expected_report(run.out);
	EXPECT_EQ(expected.report, "C 1 1 0\nB 2 1 0\nA 3 2 1\n");
	EXPECT_EQ(expected.line_records, (std::vector<std::int32_t>{3, 2, 1}));
	const sched::comparison got = sched::compare_reports(report_rules::preemptive, expected.report,
	                                                     "B 2 1 0\nC 1 1 0\nA 3 2 2\n", compare_mode::exact,
	                                                     expected.line_records);
	ASSERT_EQ(got.findings.size(), 2U);
	for (const sched::finding& f : got.findings) {
		const std::optional<std::size_t> entry = sched::deciding_entry(expected.account, f);
		ASSERT_TRUE(entry.has_value()) << f.text;
		const sched::account_entry& e = expected.account[*entry];
		// The order by what put C first, the slip by A's finish.
		const std::int32_t about = f.kind == "order" ? f.ahead : f.record;
		EXPECT_EQ(e.kind, f.kind == "order" ? "first_tick" : "finish") << e.text;
		EXPECT_NE(std::find(e.processes.begin(), e.processes.end(), about), e.processes.end()) << e.text;
	}
	EXPECT_THROW(sched::read_expected_report("{\"report\": 1"), std::runtime_error);
}

// The page's pinned exercises keep their batches.
TEST(ExerciseGenerator, GivesThePagesBatches)
{
	EXPECT_EQ(sched::exercise_batch(true, 2026, {}), "5\nA 3 2 4\nB 4 1 2\nC 4 7 2\nD 1 0 4\nE 2 1 2\n");
	EXPECT_EQ(sched::exercise_batch(true, 11, {.n = 6, .ties = true}),
	          "6\nA 4 7 4\nB 3 7 4\nC 4 7 4\nD 3 5 4\nE 3 7 4\nF 4 7 4\n");
}

} // namespace
